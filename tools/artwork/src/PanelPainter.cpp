#include "PanelPainter.h"

#include "Dial.h"
#include "GainReductionFace.h"
#include "GainReductionScale.h"
#include "KnobPainter.h"
#include "Palette.h"
#include "SelectorPainter.h"
#include "Shapes.h"

namespace {

using namespace layout;

const TextStyle controlLegend{Typeface::SansBold, 8, palette::legend, 1};
const TextStyle sectionLegend{Typeface::SansBold, 8, palette::legendDim, 2};

constexpr double sectionDividers[] = {204, 508};

void paintPlate(cairo_t* cr) {
    setColour(cr, palette::plate);
    cairo_paint(cr);

    // The plate's own edges: lit along the top and left, shaded along the bottom and right.
    cairo_set_line_width(cr, 1);
    setColour(cr, palette::plateHighlight);
    cairo_move_to(cr, 0.5, panelHeight);
    cairo_line_to(cr, 0.5, 0.5);
    cairo_line_to(cr, panelWidth, 0.5);
    cairo_stroke(cr);
    setColour(cr, palette::plateShadow);
    cairo_move_to(cr, panelWidth - 0.5, 0);
    cairo_line_to(cr, panelWidth - 0.5, panelHeight - 0.5);
    cairo_line_to(cr, 0, panelHeight - 0.5);
    cairo_stroke(cr);

    screw(cr, {12, 12}, 30);
    screw(cr, {panelWidth - 12, 12}, 75);
    screw(cr, {12, panelHeight - 12}, 120);
    screw(cr, {panelWidth - 12, panelHeight - 12}, 10);

    for (double x : sectionDividers)
        groove(cr, {x + 0.5, 22}, {x + 0.5, panelHeight - 22});
}

void paintNameplate(cairo_t* cr, const TextPainter& text) {
    const double centre = (sectionDividers[0] + sectionDividers[1]) / 2;
    text.centred(cr, {Typeface::SerifBold, 17, palette::legend}, centre, 50, "Quenvale Compressor");
    cairo_set_line_width(cr, 1);
    setColour(cr, palette::brass, 0.8);
    cairo_move_to(cr, centre - 60, 60.5);
    cairo_line_to(cr, centre + 60, 60.5);
    cairo_stroke(cr);
    text.centred(cr, {Typeface::SansBold, 9, palette::brass, 3}, gainReduction::pivot.x, 50, "HARROWMERE");
}

void paintKnobPrinting(cairo_t* cr, const TextPainter& text, const Rect& knob, const char* legend,
                       double legendBaseline) {
    const Point centre = knob.centre();
    paintDialScale(cr, text, centre, knobScale());
    text.centred(cr, controlLegend, centre.x, legendBaseline, legend);
}

void paintControlSection(cairo_t* cr, const TextPainter& text) {
    paintKnobPrinting(cr, text, attackKnob, "ATTACK", 184);
    paintKnobPrinting(cr, text, thresholdKnob, "THRESHOLD", 184);
    paintKnobPrinting(cr, text, gainKnob, "GAIN", 244);

    const Point selector = timeConstantSelector.centre();
    paintDialScale(cr, text, selector, selectorScale());
    text.centred(cr, controlLegend, selector.x, 184, "TIME CONSTANT");
}

void paintMeterSlot(cairo_t* cr, const TextPainter& text, const Rect& meter, const char* channel) {
    recess(cr, meter.left - 1, meter.top - 1, meter.width() + 2, meter.height() + 2, 1);
    setColour(cr, palette::meterGap);
    cairo_rectangle(cr, meter.left - 1, meter.top - 1, meter.width() + 2, meter.height() + 2);
    cairo_fill(cr);
    text.centred(cr, controlLegend, meter.centre().x, meter.bottom + 13, channel);
}

void paintLevelSection(cairo_t* cr, const TextPainter& text) {
    const double centre = (leftInputLamp.centre().x + rightInputLamp.centre().x) / 2;
    text.centred(cr, sectionLegend, centre, 19, "INPUT");
    text.centred(cr, controlLegend, leftInputLamp.centre().x, leftInputLamp.bottom + 12, "L");
    text.centred(cr, controlLegend, rightInputLamp.centre().x, rightInputLamp.bottom + 12, "R");

    text.centred(cr, sectionLegend, centre, 140, "OUTPUT");
    paintMeterSlot(cr, text, leftOutputMeter, "L");
    paintMeterSlot(cr, text, rightOutputMeter, "R");
}

} // namespace

void paintPanel(Canvas& panel, const TextPainter& text) {
    cairo_t* cr = panel.context();
    paintPlate(cr);
    paintNameplate(cr, text);
    paintGainReductionFace(cr, text);
    paintControlSection(cr, text);
    paintLevelSection(cr, text);
}
