#pragma once

#include "Canvas.h"
#include "Text.h"

// The panel background: plate, printing, meter face and every control's surroundings.
void paintPanel(Canvas& panel, const TextPainter& text);
