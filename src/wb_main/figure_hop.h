// The figure's hop and the saver's animation tick.
//
// Every 40 ms tick either starts a hop (StartHop: pose, place, height, depth; nothing drawn) or
// draws it one phase further (DrawHop), then advances the falling snow. A hop is one start and 63
// drawing ticks; the figure rises from behind its ground line and sinks back, and every box pixel
// where a tree's depth stamp is greater than `figureDepth` shows the scene instead, so trees in
// front hide it. With `joyful` the figure is drawn at three quarters size, rotated, travels
// sideways, turns back at the screen edges and hops twice as high.
//
// Contract: PrepareScene (forest_scene.h) resets the hop; the tick reads sceneBitmap and
// depthMap and writes only figureBox, figureBitmap and the window (and the scene through the
// snow). Screens narrower than the figure or lower than its lift place the hop as far as it fits
// and never draw a random number from an empty range.
#pragma once

#include <cstdint>

#include "toolkit/canvas.h"

namespace wobbert {

// Hop state.
extern std::int32_t jumpPhase;   // -1 after a reset, then 0..63; below 1 starts a hop
extern std::int32_t poseIndex;   // current pose 0..4
extern std::int32_t figureX;     // screen column of the box's left edge
extern std::int32_t figureBase;  // screen row of the box's bottom edge (the ground line)
extern std::int32_t figureDepth; // trees with a greater stamp stand in front; -1 hides the figure
extern double hopScale;          // hop height factor in [0.5, 0.75)
extern std::int32_t spinAngle;   // joyful rotation in degrees, not reduced modulo 360
extern std::int32_t spinStep;    // joyful pixels sideways and degrees of rotation per tick

inline constexpr int hopTicks = 64;
inline constexpr int nudgeDistance = 40;

// jumpPhase := -1 and a random pose.
void ResetHop();

// The tick's drawing and snow steps: StartHop or DrawHop, the phase count, SnowfallStep when
// `snow` is 2. The music keep-alive that follows them belongs to the saver window.
void AnimationTick(Canvas& window);

void StartHop();
void DrawHop(Canvas& window);

// StartHop's last two steps, on the hop state: the depth of the figure from the depth map's row
// `figureBase` under the box, then the move sideways when the point 1.5 x the hop height above the
// ground line is covered by a tree at least that near.
void SampleFigureDepth();
void NudgeFigure();

// Renders pose `poseIndex` into figureBitmap at three quarters size, turned by `angle` degrees.
void PrepareJoyfulFigure(int angle);

}  // namespace wobbert
