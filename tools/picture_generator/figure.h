// The saver's figure: a jolly Father Christmas dancing in five poses, drawn with cairo.
//
// Contract: DrawFigurePose paints pose 0..4 onto a cleared ARGB32 surface of the catalogue size
// for picture 32 + pose (148 x 141, 146 x 144, 155 x 137, 148 x 140, 143 x 139) and leaves at
// least 3 transparent pixels on every side. Every part carries a dark outline, so once coverage
// is cut at 50% the silhouette edge is dark, never a blend with the ground. No colour has
// green >= red + 64 (the saver shows those as transparent) and none is pure white (the saver
// flood-fills white from the corners of the rotated figure). Deterministic.
// Limits: any other pose number draws nothing; other surface sizes are fitted, not checked.
#pragma once

#include <cairo.h>

namespace wobbert::pictures {

inline constexpr int figurePoseCount = 5;

void DrawFigurePose(cairo_t* cr, int pose, int width, int height);

}  // namespace wobbert::pictures
