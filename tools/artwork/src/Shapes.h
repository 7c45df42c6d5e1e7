#pragma once

#include "Colour.h"
#include "Layout.h"

#include <cairo.h>

constexpr double pi = 3.14159265358979323846;

// Drawing helpers shared by the painters. All take the light as coming from the upper left.

void roundedRectangle(cairo_t* cr, double x, double y, double width, double height, double radius);

// A soft shadow under a round part of the given radius, lying down and to the right of it.
void dropShadow(cairo_t* cr, Point centre, double radius, double spread, double opacity);

// A raised disc lit from the upper left: light at that edge, dark towards the lower right.
void litDisc(cairo_t* cr, Point centre, double radius, Colour light, Colour dark);

// A slotted panel screw.
void screw(cairo_t* cr, Point centre, double slotDegrees);

// A bevel that sinks a rounded rectangle into the plate: shadowed upper-left edges, lit lower-right.
void recess(cairo_t* cr, double x, double y, double width, double height, double radius);

// A groove cut across the plate between two points, as used for section dividers.
void groove(cairo_t* cr, Point from, Point to);

// The point at the given radius and angle (degrees counter-clockwise from three o'clock, y down).
Point polar(Point centre, double radius, double degrees);
