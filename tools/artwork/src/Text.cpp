#include "Text.h"

#include <cmath>

namespace {

// Bytes in the UTF-8 character that starts with lead; tracked text is set a character at a time.
std::size_t characterLength(unsigned char lead) {
    if (lead >= 0xf0) return 4;
    if (lead >= 0xe0) return 3;
    if (lead >= 0xc0) return 2;
    return 1;
}

} // namespace

void TextPainter::select(cairo_t* cr, const TextStyle& style) const {
    cairo_set_font_face(cr, fonts_.face(style.typeface));
    cairo_set_font_size(cr, style.size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

double TextPainter::width(cairo_t* cr, const TextStyle& style, const std::string& text) const {
    select(cr, style);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    if (style.tracking == 0) return extents.x_advance;
    double total = 0;
    int characters = 0;
    for (std::size_t i = 0; i < text.size(); i += characterLength(text[i]), ++characters) {
        const std::string character = text.substr(i, characterLength(text[i]));
        cairo_text_extents(cr, character.c_str(), &extents);
        total += extents.x_advance;
    }
    return total + style.tracking * (characters - 1);
}

void TextPainter::show(cairo_t* cr, const TextStyle& style, double x, double baseline,
                       const std::string& text) const {
    setColour(cr, style.colour);
    if (style.tracking == 0) {
        cairo_move_to(cr, x, baseline);
        cairo_show_text(cr, text.c_str());
        return;
    }
    for (std::size_t i = 0; i < text.size(); i += characterLength(text[i])) {
        const std::string character = text.substr(i, characterLength(text[i]));
        cairo_text_extents_t extents;
        cairo_text_extents(cr, character.c_str(), &extents);
        cairo_move_to(cr, x, baseline);
        cairo_show_text(cr, character.c_str());
        x += extents.x_advance + style.tracking;
    }
}

void TextPainter::centred(cairo_t* cr, const TextStyle& style, double x, double baseline,
                          const std::string& text) const {
    const double left = std::round(x - width(cr, style, text) / 2);
    show(cr, style, left, baseline, text);
}

void TextPainter::centredOn(cairo_t* cr, const TextStyle& style, Point centre,
                            const std::string& text) const {
    select(cr, style);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    // Whole-pixel origins keep small hinted numerals sharp.
    const double x = std::round(centre.x - extents.width / 2 - extents.x_bearing);
    const double baseline = std::round(centre.y - extents.height / 2 - extents.y_bearing);
    show(cr, style, x, baseline, text);
}
