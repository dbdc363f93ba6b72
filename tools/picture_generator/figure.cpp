// Father Christmas in five dancing poses (see figure.h for the contract).
//
// The figure is drawn in design units (about one unit per output pixel) around the middle of his
// belt, as outlined cartoon parts: legs and boots, arms behind the body, coat, head, arms in
// front. A pose only moves joints: the lean of the body, the tilt of the head, the angles of each
// arm and leg segment, and the swing of the cap. The finished pose is measured on a recording
// surface and fitted into the picture; all poses share one scale, so the head keeps its size
// from one hop to the next.
#include "figure.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace wobbert::pictures {
namespace {

struct Colour {
  double red;
  double green;
  double blue;
};

constexpr Colour FromBytes(int red, int green, int blue) {
  return {red / 255.0, green / 255.0, blue / 255.0};
}

// Light from above: every part runs from its light colour at the top to its dark colour at the
// bottom. The fur is an off-white with a blue-grey shadow; pure white is never used.
constexpr Colour outlineColour = FromBytes(38, 16, 22);
constexpr Colour coatLight = FromBytes(236, 44, 44);
constexpr Colour coatDark = FromBytes(150, 14, 26);
constexpr Colour furLight = FromBytes(250, 250, 244);
constexpr Colour furDark = FromBytes(196, 198, 218);
constexpr Colour skinLight = FromBytes(255, 216, 186);
constexpr Colour skinDark = FromBytes(236, 166, 136);
constexpr Colour cheekColour = FromBytes(240, 120, 120);
constexpr Colour noseLight = FromBytes(246, 150, 136);
constexpr Colour noseDark = FromBytes(212, 92, 92);
constexpr Colour mouthColour = FromBytes(112, 18, 30);
constexpr Colour tongueColour = FromBytes(226, 96, 104);
constexpr Colour eyeColour = FromBytes(34, 20, 26);
constexpr Colour beltLight = FromBytes(62, 56, 64);
constexpr Colour beltDark = FromBytes(18, 16, 22);
constexpr Colour goldLight = FromBytes(255, 226, 100);
constexpr Colour goldDark = FromBytes(204, 140, 30);
constexpr Colour bootLight = FromBytes(156, 96, 52);
constexpr Colour bootDark = FromBytes(92, 52, 28);
constexpr Colour mittenLight = FromBytes(136, 86, 62);
constexpr Colour mittenDark = FromBytes(60, 34, 28);

constexpr double outlineWidth = 1.8;
constexpr double sleeveWidth = 11.5;
constexpr double trouserWidth = 13.0;
constexpr double upperArmLength = 19.0;
constexpr double forearmLength = 16.0;
constexpr double thighLength = 16.0;
constexpr double shinLength = 15.0;

// Sizes of pictures 32..36; the common scale is the largest at which every pose fits.
struct PictureSize {
  int width;
  int height;
};
constexpr std::array<PictureSize, figurePoseCount> catalogueSizes{
    {{148, 141}, {146, 144}, {155, 137}, {148, 140}, {143, 139}}};
// Transparent pixels kept on every side; one more than required, so that the antialiased rim of
// the outline never reaches the third pixel.
constexpr double margin = 4.0;

struct Point {
  double x;
  double y;
};

// Segment angles in degrees: 0 points down, 90 to the right of the picture, 180 up, -90 left.
struct Limb {
  double upper;
  double lower;
  bool inFront = false;  // drawn over the coat, for a hand resting on the body
};

struct Pose {
  double lean;      // body rotation about the belt, degrees clockwise on the screen
  double headTilt;  // head rotation about the neck, degrees clockwise
  Limb leftArm;     // left and right as the viewer sees them
  Limb rightArm;
  Limb leftLeg;
  Limb rightLeg;
  double capSide;   // +1: the cap's tip hangs to the right, -1: to the left
  double capRaise;  // how far the tip flies up, in units (jumps)
};

constexpr std::array<Pose, figurePoseCount> poses{{
    // 0: hurray, both arms thrown up, feet planted wide.
    {0, -4, {-140, -170}, {140, 170}, {-25, -10}, {25, 10}, 1, 0},
    // 1: waving with one arm high, the other out to the side, one knee lifted.
    {-7, 9, {-80, -40}, {128, 172}, {-6, -2}, {70, -5}, -1, 0},
    // 2: a high kick to the left, arms spread, body leaning away from the kick.
    {14, 8, {-98, -122}, {102, 134}, {-80, -116}, {8, 2}, 1, 0},
    // 3: a disco lean: body tilted left, one arm pointing up, the other hand on the hip.
    {-16, -10, {-142, -146}, {48, -42, true}, {-8, 4}, {45, 38}, 1, 0},
    // 4: a star jump: legs flung wide, arms out low, the cap flying.
    {0, 6, {-65, -95}, {65, 95}, {-46, -40}, {46, 40}, -1, 9},
}};

double Radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

Point Along(Point from, double angleDegrees, double length) {
  const double angle = Radians(angleDegrees);
  return {from.x + std::sin(angle) * length, from.y + std::cos(angle) * length};
}

// The point of the body frame (rotated by lean about the belt) in design coordinates.
Point BodyPoint(const Pose& pose, Point local) {
  const double angle = Radians(pose.lean);
  return {local.x * std::cos(angle) - local.y * std::sin(angle),
          local.x * std::sin(angle) + local.y * std::cos(angle)};
}

void SetColour(cairo_t* cr, Colour colour) {
  cairo_set_source_rgb(cr, colour.red, colour.green, colour.blue);
}

void Ellipse(cairo_t* cr, double centreX, double centreY, double radiusX, double radiusY) {
  cairo_save(cr);
  cairo_translate(cr, centreX, centreY);
  cairo_scale(cr, radiusX, radiusY);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
  cairo_close_path(cr);
  cairo_restore(cr);
}

void RoundedRectangle(cairo_t* cr, double left, double top, double right, double bottom,
                      double radius) {
  const double half = std::numbers::pi / 2;
  cairo_new_sub_path(cr);
  cairo_arc(cr, right - radius, top + radius, radius, -half, 0);
  cairo_arc(cr, right - radius, bottom - radius, radius, 0, half);
  cairo_arc(cr, left + radius, bottom - radius, radius, half, 2 * half);
  cairo_arc(cr, left + radius, top + radius, radius, 2 * half, 3 * half);
  cairo_close_path(cr);
}

// Vertical gradient over the given user-space rows.
cairo_pattern_t* LitPattern(Colour light, Colour dark, double top, double bottom) {
  cairo_pattern_t* pattern = cairo_pattern_create_linear(0, top, 0, bottom);
  cairo_pattern_add_color_stop_rgb(pattern, 0, light.red, light.green, light.blue);
  cairo_pattern_add_color_stop_rgb(pattern, 1, dark.red, dark.green, dark.blue);
  return pattern;
}

// Fills the current path, lit from above across its own height, and keeps the path. Called in
// the picture's upright frame, so light comes from above however the part is turned.
void FillLit(cairo_t* cr, Colour light, Colour dark) {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
  cairo_fill_extents(cr, &left, &top, &right, &bottom);
  cairo_pattern_t* pattern = LitPattern(light, dark, top, bottom);
  cairo_set_source(cr, pattern);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(pattern);
}

void Outline(cairo_t* cr, double width = outlineWidth) {
  SetColour(cr, outlineColour);
  cairo_set_line_width(cr, width);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
}

void FillAndOutline(cairo_t* cr, Colour light, Colour dark, double width = outlineWidth) {
  FillLit(cr, light, dark);
  Outline(cr, width);
}

// A round-ended, outlined tube through shoulder, elbow and hand (or hip, knee and ankle).
void Tube(cairo_t* cr, Point start, Point joint, Point end, double width, Colour light,
          Colour dark) {
  cairo_new_path(cr);
  cairo_move_to(cr, start.x, start.y);
  cairo_line_to(cr, joint.x, joint.y);
  cairo_line_to(cr, end.x, end.y);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColour(cr, outlineColour);
  cairo_set_line_width(cr, width + 2 * outlineWidth);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, width);
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
  cairo_stroke_extents(cr, &left, &top, &right, &bottom);
  cairo_pattern_t* pattern = LitPattern(light, dark, top, bottom);
  cairo_set_source(cr, pattern);
  cairo_stroke(cr);
  cairo_pattern_destroy(pattern);
}

// Runs build with the user space moved to origin and turned so that local +y points along
// angleDegrees (local +x mirrored when side is -1); the path survives for the upright frame.
template <typename Build>
void PathInFrame(cairo_t* cr, Point origin, double angleDegrees, double side, Build build) {
  cairo_save(cr);
  cairo_translate(cr, origin.x, origin.y);
  cairo_rotate(cr, -Radians(angleDegrees));
  cairo_scale(cr, side, 1);
  cairo_new_path(cr);
  build();
  cairo_restore(cr);
}

void DrawArm(cairo_t* cr, const Pose& pose, const Limb& arm, double side) {
  const Point shoulder = BodyPoint(pose, {side * 22.5, -27});
  const Point elbow = Along(shoulder, arm.upper, upperArmLength);
  const Point hand = Along(elbow, arm.lower, forearmLength);
  Tube(cr, shoulder, elbow, hand, sleeveWidth, coatLight, coatDark);
  // Hand frame: +y runs on along the forearm, the thumb sits on the -x side.
  PathInFrame(cr, hand, arm.lower, side, [&] { Ellipse(cr, 0, -2, 7.6, 3.4); });
  FillAndOutline(cr, furLight, furDark);
  PathInFrame(cr, hand, arm.lower, side, [&] { Ellipse(cr, -4.2, 4.2, 2.4, 3.3); });
  FillAndOutline(cr, mittenLight, mittenDark);
  PathInFrame(cr, hand, arm.lower, side, [&] { Ellipse(cr, 0.6, 6.2, 5.0, 5.6); });
  FillAndOutline(cr, mittenLight, mittenDark);
}

void DrawBoot(cairo_t* cr, Point ankle, double angle, double side) {
  // Local frame: the shin runs along +y, the toe points to +x (outward from the body).
  PathInFrame(cr, ankle, angle, side, [&] {
    cairo_move_to(cr, -6.5, -3);
    cairo_line_to(cr, -6.5, 6);
    cairo_curve_to(cr, -6.5, 9.5, -5, 10.5, -2, 10.5);
    cairo_line_to(cr, 10.5, 10.5);
    cairo_curve_to(cr, 15, 10.5, 15.5, 4.5, 11, 3.2);
    cairo_curve_to(cr, 8, 2.4, 6.2, 1.6, 6.2, -1);
    cairo_line_to(cr, 6.2, -3);
    cairo_close_path(cr);
  });
  FillAndOutline(cr, bootLight, bootDark);
  // The sole.
  PathInFrame(cr, ankle, angle, side, [&] {
    cairo_move_to(cr, -5.5, 8.6);
    cairo_line_to(cr, 11.5, 8.6);
  });
  Outline(cr, 1.2);
  PathInFrame(cr, ankle, angle, side, [&] { RoundedRectangle(cr, -8.2, -7, 7.9, -1.2, 2.9); });
  FillAndOutline(cr, furLight, furDark);
}

void DrawLeg(cairo_t* cr, const Pose& pose, const Limb& leg, double side) {
  const Point hip = BodyPoint(pose, {side * 11, 13});
  const Point knee = Along(hip, leg.upper, thighLength);
  const Point ankle = Along(knee, leg.lower, shinLength);
  Tube(cr, hip, knee, ankle, trouserWidth, coatLight, coatDark);
  DrawBoot(cr, ankle, leg.lower, side);
}

// The coat, in the body frame: shoulders at y = -37, belt at y = 0, hem at y = 20.
void CoatPath(cairo_t* cr) {
  cairo_move_to(cr, -12, -37);
  cairo_curve_to(cr, -20, -37, -25, -33, -27, -26);
  cairo_curve_to(cr, -32.5, -17, -35.5, -4, -32, 8);
  cairo_curve_to(cr, -30.5, 13, -29.5, 16, -28, 18.5);
  cairo_curve_to(cr, -10, 21.5, 10, 21.5, 28, 18.5);
  cairo_curve_to(cr, 29.5, 16, 30.5, 13, 32, 8);
  cairo_curve_to(cr, 35.5, -4, 32.5, -17, 27, -26);
  cairo_curve_to(cr, 25, -33, 20, -37, 12, -37);
  cairo_close_path(cr);
}

void InBody(cairo_t* cr, const Pose& pose) {
  cairo_rotate(cr, Radians(pose.lean));
}

void DrawBody(cairo_t* cr, const Pose& pose) {
  cairo_save(cr);
  InBody(cr, pose);
  cairo_new_path(cr);
  CoatPath(cr);
  cairo_restore(cr);
  FillLit(cr, coatLight, coatDark);
  cairo_save(cr);
  cairo_clip(cr);

  // A soft sheen on the belly gives the coat its roundness.
  cairo_save(cr);
  InBody(cr, pose);
  cairo_pattern_t* sheen = cairo_pattern_create_radial(-10, -17, 0, -10, -17, 24);
  cairo_pattern_add_color_stop_rgba(sheen, 0, 1.0, 0.5, 0.45, 0.55);
  cairo_pattern_add_color_stop_rgba(sheen, 1, 1.0, 0.5, 0.45, 0.0);
  cairo_set_source(cr, sheen);
  cairo_paint(cr);
  cairo_pattern_destroy(sheen);
  cairo_restore(cr);

  // Fur down the front and round the hem.
  cairo_save(cr);
  InBody(cr, pose);
  cairo_new_path(cr);
  cairo_rectangle(cr, -3.4, -40, 6.8, 56);
  cairo_restore(cr);
  FillAndOutline(cr, furLight, furDark, 1.4);
  cairo_save(cr);
  InBody(cr, pose);
  cairo_new_path(cr);
  cairo_move_to(cr, -36, 12.5);
  cairo_curve_to(cr, -12, 15.5, 12, 15.5, 36, 12.5);
  cairo_line_to(cr, 36, 26);
  cairo_line_to(cr, -36, 26);
  cairo_close_path(cr);
  cairo_restore(cr);
  FillAndOutline(cr, furLight, furDark);

  // The belt follows the coat's outline because it is clipped to it.
  cairo_save(cr);
  InBody(cr, pose);
  cairo_new_path(cr);
  cairo_rectangle(cr, -40, -5, 80, 8.5);
  cairo_restore(cr);
  FillAndOutline(cr, beltLight, beltDark, 1.4);
  cairo_restore(cr);  // clip

  cairo_save(cr);
  InBody(cr, pose);
  cairo_new_path(cr);
  RoundedRectangle(cr, -7.5, -7.5, 7.5, 6, 2.2);
  RoundedRectangle(cr, -3.6, -3.6, 3.6, 2.1, 1);
  cairo_restore(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  FillAndOutline(cr, goldLight, goldDark, 1.4);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);

  cairo_save(cr);
  InBody(cr, pose);
  cairo_new_path(cr);
  CoatPath(cr);
  cairo_restore(cr);
  Outline(cr);
}

// Head frame: face centre at the origin, face radius about 12.
void InHead(cairo_t* cr, const Pose& pose) {
  InBody(cr, pose);
  cairo_translate(cr, 0, -37);
  cairo_rotate(cr, Radians(pose.headTilt));
  cairo_translate(cr, 0, -11);
}

// Runs build in the head frame; the path is filled back in the upright frame.
template <typename Build>
void PathInHead(cairo_t* cr, const Pose& pose, Build build) {
  cairo_save(cr);
  InHead(cr, pose);
  cairo_new_path(cr);
  build();
  cairo_restore(cr);
}

// A beard of soft curls: scallops along an egg shape below the face.
void BeardPath(cairo_t* cr) {
  constexpr int curls = 7;
  constexpr double centreY = 3.5;
  constexpr double radiusX = 15.0;
  constexpr double radiusY = 22.0;
  constexpr double bulge = 3.6;
  constexpr double firstAngle = -22.0;
  constexpr double lastAngle = 202.0;
  auto pointAt = [&](int index) {
    const double angle = Radians(firstAngle + (lastAngle - firstAngle) * index / curls);
    return Point{radiusX * std::cos(angle), centreY + radiusY * std::sin(angle)};
  };
  Point previous = pointAt(0);
  cairo_move_to(cr, previous.x, previous.y);
  for (int index = 1; index <= curls; ++index) {
    const Point next = pointAt(index);
    const double middleX = (previous.x + next.x) / 2;
    const double middleY = (previous.y + next.y) / 2;
    const double length = std::hypot(middleX, middleY - centreY);
    const double outX = middleX / length * bulge;
    const double outY = (middleY - centreY) / length * bulge;
    cairo_curve_to(cr, previous.x + outX, previous.y + outY, next.x + outX, next.y + outY, next.x,
                   next.y);
    previous = next;
  }
  // Back across under the cheeks, dipping below the nose.
  cairo_curve_to(cr, -12.5, -1, -11, 3, -7, 5);
  cairo_curve_to(cr, -3, 6.5, 3, 6.5, 7, 5);
  cairo_curve_to(cr, 11, 3, 12.5, -1, pointAt(0).x, pointAt(0).y);
  cairo_close_path(cr);
}

void DrawHead(cairo_t* cr, const Pose& pose) {
  PathInHead(cr, pose, [&] { Ellipse(cr, 0, 0, 12.6, 13); });
  FillAndOutline(cr, skinLight, skinDark);

  // Rosy cheeks, soft-edged, under everything else.
  for (double side : {-1.0, 1.0}) {
    cairo_save(cr);
    InHead(cr, pose);
    cairo_pattern_t* blush = cairo_pattern_create_radial(side * 7.4, 2, 0, side * 7.4, 2, 4.2);
    cairo_pattern_add_color_stop_rgba(blush, 0, cheekColour.red, cheekColour.green,
                                      cheekColour.blue, 0.85);
    cairo_pattern_add_color_stop_rgba(blush, 1, cheekColour.red, cheekColour.green,
                                      cheekColour.blue, 0);
    cairo_set_source(cr, blush);
    cairo_new_path(cr);
    Ellipse(cr, side * 7.4, 2, 4.2, 4.2);
    cairo_fill(cr);
    cairo_pattern_destroy(blush);
    cairo_restore(cr);
  }

  PathInHead(cr, pose, [&] { BeardPath(cr); });
  FillAndOutline(cr, furLight, furDark);

  // A laughing mouth under the moustache.
  PathInHead(cr, pose, [&] {
    cairo_move_to(cr, -5, 7.2);
    cairo_curve_to(cr, -4.6, 14, 4.6, 14, 5, 7.2);
    cairo_close_path(cr);
  });
  SetColour(cr, mouthColour);
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  cairo_new_path(cr);
  PathInHead(cr, pose, [&] { Ellipse(cr, 0, 12.6, 3.2, 2.1); });
  SetColour(cr, tongueColour);
  cairo_fill(cr);
  cairo_restore(cr);
  Outline(cr, 1.2);

  for (double side : {-1.0, 1.0}) {
    PathInHead(cr, pose, [&] {
      cairo_save(cr);
      cairo_translate(cr, side * 4.8, 5.6);
      cairo_rotate(cr, side * Radians(-16));
      Ellipse(cr, 0, 0, 5.4, 2.9);
      cairo_restore(cr);
    });
    FillAndOutline(cr, furLight, furDark, 1.4);
  }

  PathInHead(cr, pose, [&] { Ellipse(cr, 0, 1.8, 3.2, 3.0); });
  FillAndOutline(cr, noseLight, noseDark, 1.3);
  PathInHead(cr, pose, [&] { Ellipse(cr, -1.1, 0.5, 1.0, 0.8); });
  SetColour(cr, furLight);
  cairo_fill(cr);

  for (double side : {-1.0, 1.0}) {
    PathInHead(cr, pose, [&] { Ellipse(cr, side * 5.2, -3, 1.8, 2.4); });
    SetColour(cr, eyeColour);
    cairo_fill(cr);
    PathInHead(cr, pose, [&] { Ellipse(cr, side * 5.2 + 0.6, -3.8, 0.7, 0.7); });
    SetColour(cr, furLight);
    cairo_fill(cr);
    PathInHead(cr, pose, [&] {
      cairo_move_to(cr, side * 1.8, -6.4);
      cairo_curve_to(cr, side * 3.7, -9.4, side * 7.4, -9.2, side * 9, -7);
      cairo_curve_to(cr, side * 6.8, -7.8, side * 3.8, -7.6, side * 1.8, -6.4);
      cairo_close_path(cr);
    });
    FillAndOutline(cr, furLight, furDark, 1.2);
  }

  // The cap: a floppy cone whose tip hangs to one side, then the fur brim and the pompom.
  const double side = pose.capSide;
  const double raise = pose.capRaise;
  PathInHead(cr, pose, [&] {
    cairo_scale(cr, side, 1);
    cairo_move_to(cr, -13, -15);
    cairo_curve_to(cr, -14, -30, -6, -37, 3, -37);
    cairo_curve_to(cr, 13, -37, 21, -31 - raise, 23, -22 - raise);
    cairo_curve_to(cr, 20, -25 - raise, 15, -28, 11, -25);
    cairo_curve_to(cr, 12, -21, 13, -18, 13, -15);
    cairo_close_path(cr);
  });
  FillAndOutline(cr, coatLight, coatDark);
  PathInHead(cr, pose, [&] { RoundedRectangle(cr, -15, -18.5, 15, -9, 4.4); });
  FillAndOutline(cr, furLight, furDark);
  PathInHead(cr, pose, [&] { Ellipse(cr, side * 23, -21.5 - raise, 5.2, 5.2); });
  FillAndOutline(cr, furLight, furDark);
}

void DrawDesign(cairo_t* cr, const Pose& pose) {
  DrawLeg(cr, pose, pose.leftLeg, -1);
  DrawLeg(cr, pose, pose.rightLeg, 1);
  if (!pose.leftArm.inFront) {
    DrawArm(cr, pose, pose.leftArm, -1);
  }
  if (!pose.rightArm.inFront) {
    DrawArm(cr, pose, pose.rightArm, 1);
  }
  DrawBody(cr, pose);
  DrawHead(cr, pose);
  if (pose.leftArm.inFront) {
    DrawArm(cr, pose, pose.leftArm, -1);
  }
  if (pose.rightArm.inFront) {
    DrawArm(cr, pose, pose.rightArm, 1);
  }
}

struct Extents {
  double left;
  double top;
  double width;
  double height;
};

Extents MeasureDesign(const Pose& pose) {
  cairo_surface_t* recording = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr);
  cairo_t* cr = cairo_create(recording);
  DrawDesign(cr, pose);
  cairo_destroy(cr);
  Extents extents{};
  cairo_recording_surface_ink_extents(recording, &extents.left, &extents.top, &extents.width,
                                      &extents.height);
  cairo_surface_destroy(recording);
  return extents;
}

double FitScale(const Extents& extents, double width, double height) {
  return std::min((width - 2 * margin) / extents.width, (height - 2 * margin) / extents.height);
}

}  // namespace

void DrawFigurePose(cairo_t* cr, int pose, int width, int height) {
  if (cr == nullptr || pose < 0 || pose >= figurePoseCount || width <= 0 || height <= 0) {
    return;
  }
  double scale = 1e9;
  for (std::size_t index = 0; index < poses.size(); ++index) {
    scale = std::min(scale, FitScale(MeasureDesign(poses[index]), catalogueSizes[index].width,
                                     catalogueSizes[index].height));
  }
  const Pose& shape = poses[static_cast<std::size_t>(pose)];
  const Extents extents = MeasureDesign(shape);
  scale = std::min(scale, FitScale(extents, width, height));
  if (!(scale > 0)) {
    return;
  }
  cairo_save(cr);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_BEST);
  // Centred, on whole pixels, so the same pose always lands on the same pixel grid.
  const double left = std::round((width - extents.width * scale) / 2);
  const double top = std::round((height - extents.height * scale) / 2);
  cairo_translate(cr, left - extents.left * scale, top - extents.top * scale);
  cairo_scale(cr, scale, scale);
  DrawDesign(cr, shape);
  cairo_restore(cr);
}

}  // namespace wobbert::pictures
