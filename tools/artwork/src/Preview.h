#pragma once

#include "ArtworkSet.h"
#include "Image16.h"

#include <string>

// The whole panel as the editor draws it, with the controls at sample settings.
Image16 composePreview(const ArtworkSet& artwork);

bool writePng(const Image16& image, const std::string& path);
