#include "Fonts.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace {

constexpr const char* fontDirectory = "/usr/share/fonts/truetype/dejavu/";
constexpr std::array<const char*, 4> fontFiles = {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf",
                                                  "DejaVuSansCondensed-Bold.ttf", "DejaVuSerif-Bold.ttf"};

const cairo_user_data_key_t ownedFaceKey{};

void releaseFace(void* face) { FT_Done_Face(static_cast<FT_Face>(face)); }

} // namespace

struct Fonts::Library {
    FT_Library handle = nullptr;
};

Fonts::Fonts() : library_(new Library) {
    if (FT_Init_FreeType(&library_->handle) != 0) {
        missingFile_ = "FreeType";
        return;
    }
    for (std::size_t i = 0; i < fontFiles.size(); ++i) {
        const std::string path = std::string(fontDirectory) + fontFiles[i];
        FT_Face face = nullptr;
        if (FT_New_Face(library_->handle, path.c_str(), 0, &face) != 0) {
            missingFile_ = path;
            return;
        }
        faces_[i] = cairo_ft_font_face_create_for_ft_face(face, 0);
        cairo_font_face_set_user_data(faces_[i], &ownedFaceKey, face, releaseFace);
    }
}

Fonts::~Fonts() {
    for (cairo_font_face_t* face : faces_)
        if (face) cairo_font_face_destroy(face);
    // Cairo keeps scaled fonts cached; drop them so the FreeType faces go before their library.
    cairo_debug_reset_static_data();
    if (library_->handle) FT_Done_FreeType(library_->handle);
    delete library_;
}
