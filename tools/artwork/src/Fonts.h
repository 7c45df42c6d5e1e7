#pragma once

#include <cairo.h>

#include <array>
#include <string>

enum class Typeface { Sans, SansBold, CondensedBold, SerifBold };

// The typefaces, loaded straight from the font files of Debian's fonts-dejavu-core rather than looked
// up by name, so every machine renders exactly the same glyphs.
class Fonts {
public:
    Fonts();
    ~Fonts();
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    // Empty when every face loaded, else the path of the one that did not.
    const std::string& missingFile() const { return missingFile_; }

    cairo_font_face_t* face(Typeface typeface) const { return faces_[static_cast<int>(typeface)]; }

private:
    struct Library;
    Library* library_;
    std::array<cairo_font_face_t*, 4> faces_{};
    std::string missingFile_;
};
