#include "trees.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "data/picture_catalogue.h"
#include "generator_random.h"

namespace wobbert::pictures {

namespace {

constexpr double pi = 3.14159265358979323846;

struct Rgb3 {
  double red, green, blue;
};

// Four stops of a foliage colour family, from the deep inside of the crown to sunlit tips.
struct FoliagePalette {
  Rgb3 deep, middle, light, sunlit;
};

constexpr std::array<FoliagePalette, 6> palettes = {{
    {{10, 40, 22}, {32, 92, 46}, {80, 146, 72}, {156, 206, 116}},     // fir green
    {{12, 40, 44}, {38, 94, 90}, {96, 152, 142}, {176, 214, 204}},    // blue spruce
    {{22, 48, 14}, {62, 108, 34}, {126, 166, 62}, {196, 222, 124}},   // yellow-green pine
    {{6, 36, 26}, {22, 82, 54}, {62, 136, 88}, {136, 196, 140}},      // emerald
    {{26, 46, 18}, {66, 98, 42}, {118, 148, 72}, {184, 206, 124}},    // olive
    {{12, 46, 32}, {34, 104, 64}, {90, 162, 104}, {166, 216, 156}},   // cool meadow green
}};

// What makes one tree unlike the others.
struct TreeRecipe {
  int palette;
  int tiers;
  double crownWidth;     // widest half-width, as a share of the room beside the trunk
  double profilePower;   // < 1 full and round-shouldered, > 1 slender at the top
  double tierSpacing;    // > 1 packs tiers toward the top
  double droopCurve;     // > 0 branch tips hang, < 0 they turn up
  double overlap;        // how far a tier hangs over the next one down
  double tilt;           // seen from a little above: branches toward the viewer end lower
  double needleLength;
  double density;        // branches per tier
  double gaps;           // chance that a branch is missing (see-through crowns)
  double ragged;         // spread of branch lengths
  double trunkHeight;    // visible trunk below the crown, share of the height
  double trunkWidth;     // share of the width
  double lean;           // top drifts sideways, share of the width
  double fill;           // how near the branch tips the dark inner body reaches
};

constexpr std::array<TreeRecipe, firTreeCount> recipes = {{
    // pal tiers width power spacing droop overlap tilt needle density gaps ragged trunkH trunkW lean fill
    {0, 7, 0.96, 1.00, 1.15, 0.30, 0.45, 0.22, 4.0, 1.00, 0.00, 0.10, 0.075, 0.10, 0.00, 0.80},
    {1, 9, 0.90, 0.95, 1.20, 0.65, 0.35, 0.18, 3.4, 1.20, 0.00, 0.08, 0.065, 0.09, 0.01, 0.85},
    {3, 11, 0.76, 1.15, 1.10, 0.75, 0.30, 0.16, 3.2, 1.10, 0.02, 0.10, 0.070, 0.08, -0.01, 0.85},
    {2, 6, 0.97, 0.85, 1.00, 0.10, 0.08, 0.26, 5.0, 0.80, 0.18, 0.30, 0.090, 0.11, 0.02, 0.45},
    {5, 8, 1.00, 0.80, 1.25, 0.40, 0.50, 0.22, 4.2, 1.15, 0.00, 0.12, 0.060, 0.11, 0.00, 0.90},
    {4, 6, 0.92, 1.00, 1.05, -0.55, 0.20, 0.24, 4.4, 0.95, 0.05, 0.15, 0.085, 0.10, 0.00, 0.70},
    {0, 10, 0.88, 1.05, 1.30, 0.50, 0.40, 0.20, 3.6, 1.10, 0.00, 0.18, 0.065, 0.09, -0.015, 0.85},
    {1, 8, 0.98, 0.90, 1.15, 0.85, 0.45, 0.18, 3.8, 1.25, 0.03, 0.12, 0.070, 0.10, 0.01, 0.85},
    {3, 7, 0.84, 1.10, 0.95, 0.20, 0.05, 0.22, 4.6, 0.90, 0.10, 0.25, 0.080, 0.09, 0.02, 0.45},
    {5, 9, 0.94, 0.90, 1.20, 0.55, 0.45, 0.20, 3.8, 1.10, 0.00, 0.10, 0.070, 0.10, 0.00, 0.85},
    {2, 7, 0.90, 0.95, 1.10, -0.15, 0.35, 0.24, 4.2, 1.00, 0.06, 0.20, 0.085, 0.10, -0.02, 0.75},
    {4, 10, 0.92, 1.00, 1.25, 0.70, 0.40, 0.18, 3.4, 1.15, 0.00, 0.10, 0.060, 0.10, 0.00, 0.85},
    {0, 5, 0.80, 1.20, 1.00, 0.35, 0.10, 0.24, 4.2, 0.95, 0.08, 0.20, 0.090, 0.10, 0.01, 0.50},
    {1, 10, 0.86, 1.05, 1.10, 0.45, 0.35, 0.18, 3.4, 1.20, 0.00, 0.08, 0.070, 0.09, 0.00, 0.90},
    {5, 8, 0.99, 0.85, 1.20, 0.25, 0.50, 0.24, 4.6, 1.00, 0.04, 0.22, 0.075, 0.12, -0.01, 0.75},
    {3, 9, 0.90, 0.95, 1.15, 0.60, 0.40, 0.20, 3.8, 1.10, 0.00, 0.14, 0.070, 0.10, 0.015, 0.85},
}};

Rgb3 Mix(const Rgb3& a, const Rgb3& b, double t) {
  return {a.red + (b.red - a.red) * t, a.green + (b.green - a.green) * t, a.blue + (b.blue - a.blue) * t};
}

// Shade 0 is the crown's deep inside, 1 the sunlit tips.
Rgb3 FoliageColor(const FoliagePalette& palette, double shade) {
  shade = std::clamp(shade, 0.0, 1.0);
  if (shade < 0.45) return Mix(palette.deep, palette.middle, shade / 0.45);
  if (shade < 0.8) return Mix(palette.middle, palette.light, (shade - 0.45) / 0.35);
  return Mix(palette.light, palette.sunlit, (shade - 0.8) / 0.2);
}

void SetColor(cairo_t* cr, const Rgb3& color) {
  cairo_set_source_rgb(cr, color.red / 255.0, color.green / 255.0, color.blue / 255.0);
}

struct Point {
  double x, y;
};

// One branch as seen on the picture: its stem as a polyline from the trunk out to its tip.
struct Branch {
  std::vector<Point> stem;
  double depth;      // cos of the azimuth: 1 points at the viewer, -1 away
  double tierShare;  // 0 at the top of the crown, 1 at its foot
};

struct Tree {
  double centreX;
  double top;
  double height;    // picture height (plain)
  double trunkTop;  // where the trunk meets the lowest tier
  double trunkWidth;
  std::vector<std::vector<Branch>> tiers;  // top tier first, each sorted back to front
  std::vector<std::vector<Point>> bodies;  // dark inner body of each tier, a closed outline
};

// The convex outline round a set of points, in order round it.
std::vector<Point> ConvexHull(std::vector<Point> points) {
  std::sort(points.begin(), points.end(),
            [](const Point& a, const Point& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
  if (points.size() < 3) return points;
  auto turn = [](const Point& o, const Point& a, const Point& b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
  };
  std::vector<Point> hull(2 * points.size());
  std::size_t count = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    while (count >= 2 && turn(hull[count - 2], hull[count - 1], points[i]) <= 0) --count;
    hull[count++] = points[i];
  }
  for (std::size_t i = points.size() - 1, lower = count + 1; i-- > 0;) {
    while (count >= lower && turn(hull[count - 2], hull[count - 1], points[i]) <= 0) --count;
    hull[count++] = points[i];
  }
  hull.resize(count - 1);
  return hull;
}

Tree PlanTree(const TreeRecipe& recipe, Dice& dice, double width, double height) {
  Tree tree{};
  tree.height = height;
  tree.centreX = width / 2.0;
  tree.top = 4.0 + dice.Range(0.0, 2.0);
  tree.trunkWidth = std::max(5.0, width * recipe.trunkWidth);
  // A short foot of trunk, and lower tiers that reach nearly to the picture's sides: in the forest
  // the trees stand 80 pixels apart and their crowns have to close ranks.
  const double trunkVisible = height * recipe.trunkHeight * 0.55;
  const double room = width / 2.0 - 2.5 - recipe.needleLength * 0.6;
  const double widest = room * (0.95 + 0.05 * recipe.crownWidth);

  // Attach heights: share 0 at the tip, spacing growing toward the foot.
  const int tiers = recipe.tiers;
  std::vector<double> shares;
  for (int i = 0; i <= tiers; ++i) {
    double u = std::pow(static_cast<double>(i) / tiers, recipe.tierSpacing);
    if (i > 0 && i < tiers) u += dice.Jitter(0.25) / tiers;
    shares.push_back(0.035 + 0.965 * u);
  }
  // The crown ends where the front tips of the lowest tier reach, above the visible trunk.
  const double lowestLength = widest;
  const double crownFoot = height - trunkVisible - lowestLength * recipe.tilt;
  const double crownHeight = crownFoot - tree.top;
  tree.trunkTop = tree.top + crownHeight * shares[static_cast<std::size_t>(tiers - 1)];

  double reachAbove = 0.0;
  for (int i = 0; i < tiers; ++i) {
    const double attachShare = shares[static_cast<std::size_t>(i)];
    const double nextShare = shares[static_cast<std::size_t>(i + 1)];
    const double attachY = tree.top + crownHeight * attachShare;
    const double nextY = tree.top + crownHeight * nextShare;
    const double reach = widest * std::pow(nextShare, recipe.profilePower * 0.8);
    const double dropTotal = (nextY - attachY) * (1.0 + recipe.overlap);
    const double leanX = recipe.lean * width * (1.0 - attachShare);
    const int count = std::max(5, static_cast<int>(std::lround(recipe.density * (7.0 + reach / 3.5))));
    const double turn = dice.Range(0.0, 2.0 * pi);
    std::vector<Branch> branches;
    for (int b = 0; b < count; ++b) {
      const double azimuth = turn + 2.0 * pi * (b + dice.Jitter(0.35)) / count;
      if (dice.Chance(recipe.gaps * 0.4)) continue;
      // Branches toward the sides may fall a little short but never stick out past the room.
      const double length = std::min(room, reach * (1.0 - std::abs(dice.Jitter(recipe.ragged * 0.4))));
      const double curve = recipe.droopCurve + dice.Jitter(0.15);
      const double drop = dropTotal * (1.0 + dice.Jitter(0.2));
      const double bend = dice.Jitter(0.12);  // a little sideways sweep
      Branch branch;
      branch.depth = std::cos(azimuth);
      branch.tierShare = attachShare;
      const int steps = std::max(4, static_cast<int>(length / 2.0));
      for (int k = 0; k <= steps; ++k) {
        const double s = static_cast<double>(k) / steps;
        const double radius = length * s;
        const double angle = azimuth + bend * s;
        const double fall = drop * ((1.0 - curve) * s + curve * s * s);
        branch.stem.push_back({tree.centreX + leanX + radius * std::sin(angle),
                               attachY + fall + radius * std::cos(angle) * recipe.tilt});
      }
      branches.push_back(std::move(branch));
    }
    std::sort(branches.begin(), branches.end(),
              [](const Branch& a, const Branch& b) { return a.depth < b.depth; });
    tree.tiers.push_back(std::move(branches));
    // The body is solid shade behind the needles, so the ground never shows through a crown: the
    // outline round the tier's branches a little short of their tips, closed at the top against
    // the tier above and reaching down past the top of the tier below.
    const double x = tree.centreX + leanX;
    const double inner = 0.9 + 0.1 * recipe.fill;
    const double skirt = attachY + dropTotal * 0.9 + reach * recipe.tilt * 0.8;
    std::vector<Point> outline = {{x - reachAbove * 0.75, attachY - 1.0}, {x + reachAbove * 0.75, attachY - 1.0},
                                  {x - reach * 0.7, skirt}, {x + reach * 0.7, skirt}};
    for (const Branch& branch : branches)
      outline.push_back(branch.stem[static_cast<std::size_t>(inner * static_cast<double>(branch.stem.size() - 1))]);
    tree.bodies.push_back(ConvexHull(std::move(outline)));
    reachAbove = reach;
  }
  // Hanging tips, long branches and needles can reach further down than planned; squeeze the crown
  // toward its tip so that the foot of the trunk always shows.
  double lowest = tree.top;
  for (const auto& branches : tree.tiers)
    for (const Branch& branch : branches)
      for (const Point& p : branch.stem) lowest = std::max(lowest, p.y);
  const double limit = height - std::max(4.0, trunkVisible * 0.75) - recipe.needleLength * 1.3;
  if (lowest > limit) {
    const double squeeze = (limit - tree.top) / (lowest - tree.top);
    auto move = [&](Point& p) { p.y = tree.top + (p.y - tree.top) * squeeze; };
    for (auto& branches : tree.tiers)
      for (Branch& branch : branches)
        for (Point& p : branch.stem) move(p);
    for (auto& body : tree.bodies)
      for (Point& p : body) move(p);
    tree.trunkTop = tree.top + (tree.trunkTop - tree.top) * squeeze;
  }
  return tree;
}

void StrokeLine(cairo_t* cr, Point from, Point to, double width) {
  cairo_set_line_width(cr, width);
  cairo_move_to(cr, from.x, from.y);
  cairo_line_to(cr, to.x, to.y);
  cairo_stroke(cr);
}

// Where a tier lies, for its light: the upper side of every tier is lit from above, its underside
// is in the shade of the tier over it; the light comes a little from the left.
struct TierLight {
  double top, bottom, centreX, reach;
  double ShadeAt(Point p) const {
    const double v = std::clamp((p.y - top) / std::max(1.0, bottom - top), 0.0, 1.0);
    return 0.2 - 0.48 * v + 0.08 * (centreX - p.x) / std::max(1.0, reach);
  }
};

// Needles along a stem: short strokes to both sides, pointing outward and a little down.
void DrawNeedles(cairo_t* cr, const std::vector<Point>& stem, const TreeRecipe& recipe,
                 const FoliagePalette& palette, double baseShade, double needleScale,
                 const TierLight& light, Dice& dice) {
  for (std::size_t k = 1; k < stem.size(); ++k) {
    const double s = static_cast<double>(k) / static_cast<double>(stem.size() - 1);
    const Point a = stem[k - 1];
    const Point b = stem[k];
    double dx = b.x - a.x, dy = b.y - a.y;
    const double norm = std::max(1e-6, std::hypot(dx, dy));
    dx /= norm;
    dy /= norm;
    for (int side = -1; side <= 1; side += 2) {
      for (int n = 0; n < 2; ++n) {
        const double spread = (0.85 + dice.Jitter(0.35)) * side;
        double nx = dx * std::cos(spread) - dy * std::sin(spread);
        double ny = dx * std::sin(spread) + dy * std::cos(spread) + 0.35;
        const double nnorm = std::hypot(nx, ny);
        nx /= nnorm;
        ny /= nnorm;
        const double taper = std::min(1.0, (1.0 - s) * 3.0 + 0.45);
        const double length = recipe.needleLength * needleScale * taper * (0.7 + dice.Real() * 0.6);
        const Point from{a.x + (b.x - a.x) * dice.Real(), a.y + (b.y - a.y) * dice.Real()};
        const Point to{from.x + nx * length, from.y + ny * length};
        // Needles facing up catch the light from above; outer ones more than inner ones.
        const double shade = baseShade + light.ShadeAt(from) + 0.22 * (-ny) + 0.14 * s + dice.Jitter(0.09);
        SetColor(cr, FoliageColor(palette, shade));
        StrokeLine(cr, from, to, 1.05);
      }
    }
  }
}

// Snow on a layer of branches: wherever the layer's foliage has open space above it, a few
// pixels of snow lie on it, thick on flat tops and thin where the surface slopes steeply, with a
// heap rising a pixel above the flattest parts and a soft shadow just under the snow.
void AddSnow(cairo_surface_t* layer, double depthScale, Dice& dice) {
  cairo_surface_flush(layer);
  const int width = cairo_image_surface_get_width(layer);
  const int height = cairo_image_surface_get_height(layer);
  const int stride = cairo_image_surface_get_stride(layer);
  unsigned char* data = cairo_image_surface_get_data(layer);
  auto at = [&](int x, int y) -> std::uint32_t& {
    return reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride)[x];
  };
  // Snow bridges the gaps between needles: it settles on the closed outline of the foliage
  // (grown and shrunk again by two pixels), not on every needle tip.
  std::vector<std::uint8_t> mask(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  auto cell = [&](std::vector<std::uint8_t>& grid, int x, int y) -> std::uint8_t& {
    return grid[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
  };
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) cell(mask, x, y) = (at(x, y) >> 24) >= 128;
  auto morph = [&](bool grow) {
    std::vector<std::uint8_t> next(mask.size());
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        bool any = false, all = true;
        for (int dy = -1; dy <= 1; ++dy) {
          for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            const bool value = nx >= 0 && nx < width && ny >= 0 && ny < height && cell(mask, nx, ny);
            any = any || value;
            all = all && value;
          }
        }
        cell(next, x, y) = grow ? any : all;
      }
    }
    mask = std::move(next);
  };
  std::vector<std::uint8_t> original = mask;
  morph(true);
  morph(true);
  morph(false);
  morph(false);
  auto covered = [&](int x, int y) {
    return x >= 0 && x < width && y >= 0 && y < height && cell(mask, x, y);
  };
  auto foliage = [&](int x, int y) {
    return x >= 0 && x < width && y >= 0 && y < height && cell(original, x, y);
  };
  auto isEdge = [&](int x, int y) { return covered(x, y) && !covered(x, y - 1); };
  // Slowly varying thickness along the snow line, so it looks heaped rather than ruled.
  std::vector<double> lump(static_cast<std::size_t>(width));
  double wave = dice.Real();
  for (auto& value : lump) {
    wave = std::clamp(wave + dice.Jitter(0.35), 0.0, 1.0);
    value = wave;
  }
  struct SnowPixel {
    int x, y;
    std::uint32_t color;
  };
  std::vector<SnowPixel> snow;
  std::vector<std::pair<int, int>> shadows;
  for (int y = 1; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (!isEdge(x, y)) continue;
      // Slope: how far the neighbouring columns' edges lie from this one.
      int slope = 4;
      for (int side = -1; side <= 1; side += 2) {
        for (int d = 0; d <= 4; ++d) {
          if (isEdge(x + side, y - d) || isEdge(x + side, y + d)) {
            slope = std::min(slope, d);
            break;
          }
        }
      }
      const double flatness = 1.0 - slope / 4.0;
      const double depth = depthScale * (0.3 + 2.4 * flatness) * (0.6 + 0.8 * lump[static_cast<std::size_t>(x)]);
      const int rows = static_cast<int>(std::lround(depth));
      if (rows <= 0) continue;
      if (slope <= 1 && lump[static_cast<std::size_t>(x)] > 0.35 && y >= 3)
        snow.push_back({x, y - 1, 0xFFF6F6FCu});
      int k = 0;
      for (; k < rows && covered(x, y + k); ++k) {
        const double t = rows > 1 ? static_cast<double>(k) / (rows - 1) : 0.0;
        // White on top, blue-white in the snow's own shade below; red always equals green.
        const int red = static_cast<int>(std::lround(242 - 56 * t * t));
        const int blue = static_cast<int>(std::lround(250 - 22 * t * t));
        snow.push_back({x, y + k, 0xFF000000u | (static_cast<std::uint32_t>(red) << 16) |
                                      (static_cast<std::uint32_t>(red) << 8) | static_cast<std::uint32_t>(blue)});
      }
      if (foliage(x, y + k)) shadows.emplace_back(x, y + k);
    }
  }
  for (const auto& [x, y] : shadows) {
    std::uint32_t& pixel = at(x, y);
    const std::uint32_t alpha = pixel & 0xFF000000u;
    const auto dim = [&](int shift) { return (((pixel >> shift) & 0xFFu) * 3 / 5) << shift; };
    pixel = alpha | dim(16) | dim(8) | dim(0);
  }
  for (const auto& piece : snow) at(piece.x, piece.y) = piece.color;
  cairo_surface_mark_dirty(layer);
}

void DrawTrunk(cairo_t* cr, const Tree& tree, Dice& dice) {
  const double half = tree.trunkWidth / 2.0;
  const double left = tree.centreX - half, right = tree.centreX + half;
  const double top = tree.trunkTop, bottom = tree.height;
  // Round bark: dark at both sides, lit a little left of the middle.
  cairo_pattern_t* bark = cairo_pattern_create_linear(left - 1.5, 0, right + 1.5, 0);
  cairo_pattern_add_color_stop_rgb(bark, 0.0, 46 / 255.0, 28 / 255.0, 18 / 255.0);
  cairo_pattern_add_color_stop_rgb(bark, 0.35, 120 / 255.0, 78 / 255.0, 46 / 255.0);
  cairo_pattern_add_color_stop_rgb(bark, 0.6, 92 / 255.0, 58 / 255.0, 34 / 255.0);
  cairo_pattern_add_color_stop_rgb(bark, 1.0, 40 / 255.0, 24 / 255.0, 16 / 255.0);
  cairo_set_source(cr, bark);
  cairo_move_to(cr, left + 1.0, top);
  cairo_line_to(cr, right - 1.0, top);
  cairo_line_to(cr, right, bottom - 4.0);
  cairo_curve_to(cr, right + 0.5, bottom - 1.5, right + 2.0, bottom - 0.5, right + 2.5, bottom);
  cairo_line_to(cr, left - 2.5, bottom);
  cairo_curve_to(cr, left - 2.0, bottom - 0.5, left - 0.5, bottom - 1.5, left, bottom - 4.0);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_pattern_destroy(bark);
  // Furrows in the bark.
  cairo_set_source_rgb(cr, 54 / 255.0, 34 / 255.0, 22 / 255.0);
  for (int i = 0; i < 3; ++i) {
    const double x = left + tree.trunkWidth * (0.2 + 0.3 * i) + dice.Jitter(0.8);
    const double y = top + dice.Range(0.0, (bottom - top) * 0.4);
    StrokeLine(cr, {x, y}, {x + dice.Jitter(0.6), y + dice.Range(4.0, (bottom - top) * 0.6)}, 0.8);
  }
}

}  // namespace

void DrawFirTree(cairo_t* cr, int tree, bool snowy) {
  if (tree < 0 || tree >= firTreeCount) return;
  const TreeRecipe& recipe = recipes[static_cast<std::size_t>(tree)];
  const FoliagePalette& palette = palettes[static_cast<std::size_t>(recipe.palette)];
  const PictureSize plain = pictureSizes[static_cast<std::size_t>(tree)];
  const PictureSize drawn = pictureSizes[static_cast<std::size_t>(snowy ? firstSnowyTree + tree : tree)];

  // The branches come from one sequence and the needles and snow from others, so the snowy tree
  // has exactly the plain tree's branches and needles.
  Dice shapeDice(0x7EE5000ull + static_cast<std::uint64_t>(tree) * 7919u);
  Dice needleDice(0xF1A5000ull + static_cast<std::uint64_t>(tree) * 104729u);
  Dice snowDice(0x5A0F000ull + static_cast<std::uint64_t>(tree) * 15485863u);
  const Tree plan = PlanTree(recipe, shapeDice, plain.width, plain.height);
  const double offsetX = (drawn.width - plain.width) / 2;
  const double offsetY = drawn.height - plain.height;

  // Each piece is drawn on the target through the same clip: two pixels of ground at the sides
  // and the top.
  auto prepare = [&](cairo_t* context) {
    cairo_rectangle(context, 2, 2, drawn.width - 4, drawn.height - 2);
    cairo_clip(context);
    cairo_translate(context, offsetX, offsetY);
    cairo_set_line_cap(context, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(context, CAIRO_LINE_JOIN_ROUND);
  };
  cairo_save(cr);
  prepare(cr);

  DrawTrunk(cr, plan, needleDice);
  // The stem between the tiers, seen through the gaps.
  cairo_set_source_rgb(cr, 60 / 255.0, 40 / 255.0, 26 / 255.0);
  StrokeLine(cr, {plan.centreX + recipe.lean * plain.width, plan.top + 3.0},
             {plan.centreX, plan.trunkTop + 2.0}, std::max(1.5, plan.trunkWidth * 0.35));

  // Lower tiers first: each tier hangs over the one below it. Within a tier the branches come in
  // six layers from behind the trunk round to the viewer; snow settles on each layer.
  cairo_surface_t* layer = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, drawn.width, drawn.height);
  for (std::size_t t = plan.tiers.size(); t-- > 0;) {
    const auto& branches = plan.tiers[t];
    TierLight light{branches.empty() ? 0.0 : branches.front().stem.front().y, 0.0, plan.centreX, 1.0};
    for (const Branch& branch : branches) {
      for (const Point& p : branch.stem) {
        light.bottom = std::max(light.bottom, p.y);
        light.reach = std::max(light.reach, std::abs(p.x - plan.centreX));
      }
    }
    const double height = 1.0 - (branches.empty() ? 0.5 : branches.front().tierShare);
    const std::array<double, 7> layerDepths = {-2.0, -0.5, -0.1, 0.25, 0.55, 0.8, 2.0};
    for (std::size_t group = 0; group + 1 < layerDepths.size(); ++group) {
      cairo_t* lcr = cairo_create(layer);
      cairo_set_operator(lcr, CAIRO_OPERATOR_CLEAR);
      cairo_paint(lcr);
      cairo_set_operator(lcr, CAIRO_OPERATOR_OVER);
      prepare(lcr);
      if (group == 0) {
        const auto& body = plan.bodies[t];
        SetColor(lcr, FoliageColor(palette, 0.04));
        cairo_move_to(lcr, body.front().x, body.front().y);
        for (const Point& p : body) cairo_line_to(lcr, p.x, p.y);
        cairo_close_path(lcr);
        cairo_fill(lcr);
      }
      for (const Branch& branch : branches) {
        if (branch.depth < layerDepths[group] || branch.depth >= layerDepths[group + 1]) continue;
        // Light from above, and branches facing us lit more than those behind the trunk.
        const double baseShade = 0.16 + 0.24 * (branch.depth + 1.0) / 2.0 + 0.2 * height;
        SetColor(lcr, FoliageColor(palette, baseShade * 0.5));
        cairo_set_line_width(lcr, 1.2);
        cairo_move_to(lcr, branch.stem.front().x, branch.stem.front().y);
        for (const Point& p : branch.stem) cairo_line_to(lcr, p.x, p.y);
        cairo_stroke(lcr);
        // Side shoots: short twigs off the branch, every few pixels, alternating sides.
        int side = 1;
        for (std::size_t k = 2; k + 1 < branch.stem.size(); k += 3) {
          const double s = static_cast<double>(k) / static_cast<double>(branch.stem.size() - 1);
          const Point a = branch.stem[k], b = branch.stem[k + 1];
          double dx = b.x - a.x, dy = b.y - a.y;
          const double norm = std::max(1e-6, std::hypot(dx, dy));
          dx /= norm;
          dy /= norm;
          const double angle = 0.7 * side + needleDice.Jitter(0.2);
          const double tx = dx * std::cos(angle) - dy * std::sin(angle);
          const double ty = dx * std::sin(angle) + dy * std::cos(angle) + 0.25;
          const double length =
              (4.0 + recipe.needleLength * 1.5) * (1.0 - 0.5 * s) * (0.8 + needleDice.Real() * 0.4);
          std::vector<Point> twig;
          for (int i = 0; i <= 3; ++i) twig.push_back({a.x + tx * length * i / 3.0, a.y + ty * length * i / 3.0});
          DrawNeedles(lcr, twig, recipe, palette, baseShade + 0.05, 0.8, light, needleDice);
          side = -side;
        }
        DrawNeedles(lcr, branch.stem, recipe, palette, baseShade, 1.0, light, needleDice);
      }
      cairo_destroy(lcr);
      if (snowy) AddSnow(layer, 1.5 + 0.9 * height, snowDice);
      cairo_save(cr);
      cairo_identity_matrix(cr);
      cairo_set_source_surface(cr, layer, 0, 0);
      cairo_paint(cr);
      cairo_restore(cr);
    }
  }
  cairo_surface_destroy(layer);

  // The leader shoot at the very top.
  const Point tip{plan.centreX + recipe.lean * plain.width, plan.top};
  std::vector<Point> leader;
  for (int i = 0; i <= 6; ++i) leader.push_back({tip.x, tip.y + i * 1.6});
  SetColor(cr, FoliageColor(palette, 0.7));
  StrokeLine(cr, tip, leader.back(), 1.2);
  const TierLight topLight{tip.y, tip.y + 10.0, tip.x, 4.0};
  DrawNeedles(cr, leader, recipe, palette, 0.6, 0.6, topLight, needleDice);
  if (snowy) {
    cairo_set_source_rgb(cr, 242 / 255.0, 242 / 255.0, 250 / 255.0);
    cairo_arc(cr, tip.x, tip.y + 0.5, 1.8, 0, 2 * pi);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

}  // namespace wobbert::pictures
