// Renders the panel artwork into a directory (default: resources).

#include "ArtworkSet.h"
#include "Fonts.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    const std::string directory = argc > 1 ? argv[1] : "resources";
    const Fonts fonts;
    if (!fonts.missingFile().empty()) {
        std::fprintf(stderr, "generate-artwork: cannot load %s\n", fonts.missingFile().c_str());
        return 1;
    }
    ArtworkSet artwork;
    std::string error;
    if (!paintArtwork(fonts, artwork, error) || !writeArtwork(artwork, directory, error)) {
        std::fprintf(stderr, "generate-artwork: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
