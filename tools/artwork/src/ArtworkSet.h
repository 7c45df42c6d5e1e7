#pragma once

#include "Fonts.h"
#include "Image16.h"

#include <string>

// Every bitmap the editor loads.
struct ArtworkSet {
    Image16 background;
    Image16 knob;
    Image16 selector;
    Image16 lamp;
    Image16 needle;
    Image16 meterLit;
    Image16 meterUnlit;
};

// Paints the set. Fails, with the reason in error, if the panel differs under controls that share a strip.
bool paintArtwork(const Fonts& fonts, ArtworkSet& artwork, std::string& error);

// Writes the bitmaps and the panel preview into directory.
bool writeArtwork(const ArtworkSet& artwork, const std::string& directory, std::string& error);
