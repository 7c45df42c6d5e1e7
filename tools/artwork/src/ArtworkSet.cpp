#include "ArtworkSet.h"

#include "BmpWriter.h"
#include "KnobPainter.h"
#include "LampPainter.h"
#include "MeterBarPainter.h"
#include "NeedlePainter.h"
#include "PanelPainter.h"
#include "Preview.h"
#include "Quantiser.h"
#include "SelectorPainter.h"

#include <utility>
#include <vector>

namespace {

using namespace layout;

// The strips are cut from the panel under one control but shown under all that share them.
bool sharedStripsSitSeamlessly(const Canvas& panel, std::string& error) {
    const std::pair<Rect, Rect> sharing[] = {
        {attackKnob, thresholdKnob}, {attackKnob, gainKnob}, {leftInputLamp, rightInputLamp}};
    for (const auto& [first, second] : sharing) {
        if (!panel.regionEquals(first, second)) {
            error = "the panel differs under two controls that share a film strip (at " +
                    std::to_string(first.left) + "," + std::to_string(first.top) + " and " +
                    std::to_string(second.left) + "," + std::to_string(second.top) + ")";
            return false;
        }
    }
    return true;
}

// Quantises the panel with each control rectangle dithered from its own corner, as its frames are.
Image16 quantisePanel(const Canvas& panel) {
    Image16 background = quantise(panel);
    for (const panelLayout::Placement& placement : panelLayout::kControls) {
        const Rect control = rectOf(placement);
        background.paste(quantise(panel, control), control.left, control.top);
    }
    return background;
}

} // namespace

bool paintArtwork(const Fonts& fonts, ArtworkSet& artwork, std::string& error) {
    const TextPainter text(fonts);
    Canvas panel(panelWidth, panelHeight);
    paintPanel(panel, text);
    if (!sharedStripsSitSeamlessly(panel, error)) return false;

    artwork.background = quantisePanel(panel);
    artwork.knob = renderFilmStrip(panel, attackKnob, KnobPainter(), knobFrames);
    artwork.selector = renderFilmStrip(panel, timeConstantSelector, SelectorPainter(), selectorFrames);
    artwork.lamp = renderFilmStrip(panel, leftInputLamp, LampPainter(), lampFrames);
    artwork.needle = renderFilmStrip(panel, gainReductionNeedle, NeedlePainter(), needleFrames);
    artwork.meterLit = meterBar::paint(true);
    artwork.meterUnlit = meterBar::paint(false);
    return true;
}

bool writeArtwork(const ArtworkSet& artwork, const std::string& directory, std::string& error) {
    const std::pair<const char*, const Image16*> bitmaps[] = {
        {"background.bmp", &artwork.background}, {"knob.bmp", &artwork.knob},
        {"selector.bmp", &artwork.selector},     {"lamp.bmp", &artwork.lamp},
        {"needle.bmp", &artwork.needle},         {"meter-lit.bmp", &artwork.meterLit},
        {"meter-unlit.bmp", &artwork.meterUnlit}};
    for (const auto& [name, image] : bitmaps) {
        const std::string path = directory + "/" + name;
        if (!writeFile(path, encodeBmp(*image))) {
            error = "cannot write " + path;
            return false;
        }
    }
    const std::string previewPath = directory + "/panel-preview.png";
    if (!writePng(composePreview(artwork), previewPath)) {
        error = "cannot write " + previewPath;
        return false;
    }
    return true;
}
