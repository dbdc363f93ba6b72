// The sixteen fir trees of the program, plain and under snow.
//
// Tree k (0..15) has its own shape, tiering, needle texture and colour family, all fixed by its
// recipe and seed. The snowy variant draws exactly the same branches and lays snow on their upper
// sides; it is drawn at the snowy size, the tree standing on the same bottom-centre spot. Foliage
// colours have green above red (the program's tint shades them), trunk browns red above green,
// snow red equal to green.
#pragma once

#include <cairo.h>

namespace wobbert::pictures {

inline constexpr int firTreeCount = 16;

// Draws tree `tree` (0..15) onto cr, whose target is an ARGB32 image surface of exactly the
// catalogue size of picture `tree` (plain) or 16 + tree (snowy), cleared to transparent.
void DrawFirTree(cairo_t* cr, int tree, bool snowy);

}  // namespace wobbert::pictures
