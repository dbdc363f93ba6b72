#include "picture_output.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <map>

#include "toolkit/bmp_writer.h"

namespace wobbert::pictures {

namespace {

enum class ColorClass { greenish, neutral, warm };

ColorClass ClassOf(int red, int green) {
  if (green > red) return ColorClass::greenish;
  if (green == red) return ColorClass::neutral;
  return ColorClass::warm;
}

struct WeightedColor {
  std::array<int, 3> rgb;
  long count;
};

// Median cut over one class's colours into at most `budget` boxes; each box becomes its
// count-weighted mean. Means of one class stay in that class because each inequality between red
// and green holds for every member and so for the sums.
std::vector<std::array<int, 3>> MedianCut(std::vector<WeightedColor> colors, int budget) {
  std::vector<std::vector<WeightedColor>> boxes;
  if (!colors.empty()) boxes.push_back(std::move(colors));
  auto spreadOf = [](const std::vector<WeightedColor>& box, int& channel) {
    int best = -1;
    for (int c = 0; c < 3; ++c) {
      int low = 255, high = 0;
      for (const auto& color : box) {
        low = std::min(low, color.rgb[static_cast<std::size_t>(c)]);
        high = std::max(high, color.rgb[static_cast<std::size_t>(c)]);
      }
      // Green differences show most; weigh them up a little.
      const int spread = (high - low) * (c == 1 ? 5 : 4);
      if (spread > best) {
        best = spread;
        channel = c;
      }
    }
    return best;
  };
  while (static_cast<int>(boxes.size()) < budget) {
    // Split the box with the largest weighted spread.
    int chosen = -1, chosenChannel = 0;
    double chosenScore = 0;
    for (std::size_t b = 0; b < boxes.size(); ++b) {
      if (boxes[b].size() < 2) continue;
      int channel = 0;
      const int spread = spreadOf(boxes[b], channel);
      long weight = 0;
      for (const auto& color : boxes[b]) weight += color.count;
      const double score = static_cast<double>(spread) * static_cast<double>(weight);
      if (spread > 0 && score > chosenScore) {
        chosenScore = score;
        chosen = static_cast<int>(b);
        chosenChannel = channel;
      }
    }
    if (chosen < 0) break;
    auto& box = boxes[static_cast<std::size_t>(chosen)];
    const auto channel = static_cast<std::size_t>(chosenChannel);
    std::sort(box.begin(), box.end(), [channel](const WeightedColor& a, const WeightedColor& b) {
      return a.rgb[channel] != b.rgb[channel] ? a.rgb[channel] < b.rgb[channel] : a.rgb < b.rgb;
    });
    long total = 0;
    for (const auto& color : box) total += color.count;
    long running = 0;
    std::size_t split = 1;
    for (std::size_t i = 0; i + 1 < box.size(); ++i) {
      running += box[i].count;
      split = i + 1;
      if (running * 2 >= total) break;
    }
    std::vector<WeightedColor> upper(box.begin() + static_cast<std::ptrdiff_t>(split), box.end());
    box.resize(split);
    boxes.push_back(std::move(upper));
  }
  std::vector<std::array<int, 3>> means;
  for (const auto& box : boxes) {
    std::array<long, 3> sum{};
    long count = 0;
    for (const auto& color : box) {
      for (std::size_t c = 0; c < 3; ++c) sum[c] += color.rgb[c] * color.count;
      count += color.count;
    }
    std::array<int, 3> mean{};
    for (std::size_t c = 0; c < 3; ++c) mean[c] = static_cast<int>((sum[c] + count / 2) / count);
    means.push_back(mean);
  }
  return means;
}

// Rounding the means can land on the border of a class; push such a colour back inside.
std::array<int, 3> KeepInClass(std::array<int, 3> rgb, ColorClass colorClass, bool limitFigureGreen) {
  int& red = rgb[0];
  int& green = rgb[1];
  switch (colorClass) {
    case ColorClass::greenish:
      if (green <= red) green = std::min(255, red + 1), red = green - 1;
      break;
    case ColorClass::neutral:
      green = red;
      break;
    case ColorClass::warm:
      if (red <= green) red = std::min(255, green + 1), green = red - 1;
      break;
  }
  if (limitFigureGreen && green >= red + 64) green = red + 63;
  return rgb;
}

}  // namespace

Bitmap SurfaceToBitmap(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  Bitmap bitmap(width, height);
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t argb = row[x];
      const int alpha = static_cast<int>(argb >> 24);
      if (alpha < 128) {
        bitmap.SetPixel(x, y, keyMagenta);
        continue;
      }
      auto unpremultiply = [alpha](std::uint32_t value) {
        return std::min(255, static_cast<int>((value * 255 + static_cast<std::uint32_t>(alpha) / 2) /
                                              static_cast<std::uint32_t>(alpha)));
      };
      bitmap.SetPixel(x, y, Rgb(unpremultiply((argb >> 16) & 0xFF), unpremultiply((argb >> 8) & 0xFF),
                                unpremultiply(argb & 0xFF)));
    }
  }
  return bitmap;
}

void QuantiseBitmap(Bitmap& bitmap, bool limitFigureGreen) {
  // Gather each class's colours with their counts; a subject colour that happens to be exact
  // magenta would vanish in the program, so it is nudged off the key first.
  std::array<std::map<Color, long>, 3> histograms;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      const Color color = bitmap.Pixel(x, y);
      if (color == keyMagenta) continue;
      ++histograms[static_cast<std::size_t>(ClassOf(RedOf(color), GreenOf(color)))][color];
    }
  }
  std::size_t distinct = 0;
  long total = 0;
  for (const auto& histogram : histograms) {
    distinct += histogram.size();
    for (const auto& entry : histogram) total += entry.second;
  }

  // 255 entries for the subject; each class gets a share by pixel count, at least a few.
  constexpr int subjectEntries = 255;
  std::array<int, 3> budgets{};
  if (distinct <= static_cast<std::size_t>(subjectEntries)) {
    for (std::size_t c = 0; c < 3; ++c) budgets[c] = static_cast<int>(histograms[c].size());
  } else {
    int left = subjectEntries;
    for (std::size_t c = 0; c < 3; ++c) {
      const int minimum = static_cast<int>(std::min<std::size_t>(histograms[c].size(), 12));
      budgets[c] = minimum;
      left -= minimum;
    }
    // Share the rest by pixel count.
    std::array<long, 3> counts{};
    for (std::size_t c = 0; c < 3; ++c)
      for (const auto& entry : histograms[c]) counts[c] += entry.second;
    int handedOut = 0;
    for (std::size_t c = 0; c < 3; ++c) {
      const int share = static_cast<int>(static_cast<long long>(left) * counts[c] / std::max(total, 1L));
      budgets[c] += share;
      handedOut += share;
    }
    budgets[0] += left - handedOut;
    for (std::size_t c = 0; c < 3; ++c)
      budgets[c] = std::min(budgets[c], static_cast<int>(histograms[c].size()));
  }

  std::array<std::vector<std::array<int, 3>>, 3> palettes;
  for (std::size_t c = 0; c < 3; ++c) {
    std::vector<WeightedColor> colors;
    for (const auto& [color, count] : histograms[c])
      colors.push_back({{RedOf(color), GreenOf(color), BlueOf(color)}, count});
    palettes[c] = MedianCut(std::move(colors), budgets[c]);
    for (auto& entry : palettes[c]) {
      entry = KeepInClass(entry, static_cast<ColorClass>(c), limitFigureGreen);
      if (Rgb(entry[0], entry[1], entry[2]) == keyMagenta) entry[2] = 254;
    }
  }

  std::map<Color, Color> mapped;
  for (std::size_t c = 0; c < 3; ++c) {
    for (const auto& [color, count] : histograms[c]) {
      (void)count;
      long best = -1;
      Color bestColor = 0;
      for (const auto& entry : palettes[c]) {
        const long dr = RedOf(color) - entry[0], dg = GreenOf(color) - entry[1], db = BlueOf(color) - entry[2];
        const long distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (best < 0 || distance < best) {
          best = distance;
          bestColor = Rgb(entry[0], entry[1], entry[2]);
        }
      }
      mapped[color] = bestColor;
    }
  }
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      const Color color = bitmap.Pixel(x, y);
      if (color != keyMagenta) bitmap.SetPixel(x, y, mapped[color]);
    }
  }
}

Result<StoredPicture> StorePicture(cairo_surface_t* surface, bool isFigure) {
  StoredPicture picture{SurfaceToBitmap(surface), {}};
  QuantiseBitmap(picture.bitmap, isFigure);
  if (picture.bitmap.Width() < 2 || picture.bitmap.Height() < 2 || picture.bitmap.Pixel(1, 1) != keyMagenta)
    return Error{"pixel (1, 1) is not ground"};
  auto bytes = WriteRle8Bmp(picture.bitmap);
  if (!bytes) return Error{bytes.ErrorMessage()};
  picture.fileBytes = std::move(bytes).Value();
  return picture;
}

}  // namespace wobbert::pictures
