#include "toolkit/bmp_writer.h"

#include <algorithm>
#include <map>

#include "toolkit/byte_order.h"

namespace wobbert {

namespace {

constexpr std::uint32_t pixelOffset = 1078;

// One row of palette indices as RLE8: runs of three or more equal indices as encoded runs, the
// rest as absolute runs (which need at least three indices; shorter pieces become short runs).
void EncodeRow(const std::vector<std::uint8_t>& row, std::vector<std::uint8_t>& out) {
  const std::size_t n = row.size();
  std::size_t i = 0;
  auto runLength = [&](std::size_t from) {
    std::size_t k = from + 1;
    while (k < n && row[k] == row[from] && k - from < 255) ++k;
    return k - from;
  };
  while (i < n) {
    const std::size_t run = runLength(i);
    if (run >= 3) {
      out.push_back(static_cast<std::uint8_t>(run));
      out.push_back(row[i]);
      i += run;
      continue;
    }
    // Gather a literal stretch up to the next run of three or more.
    std::size_t literalEnd = i;
    while (literalEnd < n && literalEnd - i < 255 && runLength(literalEnd) < 3) ++literalEnd;
    const std::size_t length = literalEnd - i;
    if (length >= 3) {
      out.push_back(0);
      out.push_back(static_cast<std::uint8_t>(length));
      out.insert(out.end(), row.begin() + static_cast<std::ptrdiff_t>(i), row.begin() + static_cast<std::ptrdiff_t>(literalEnd));
      if (length & 1u) out.push_back(0);
    } else {
      for (std::size_t k = i; k < literalEnd; ++k) {
        out.push_back(1);
        out.push_back(row[k]);
      }
    }
    i = literalEnd;
  }
}

}  // namespace

Result<std::vector<std::uint8_t>> WriteRle8Bmp(const Bitmap& bitmap) {
  if (bitmap.Empty()) return Error{"cannot store an empty picture"};
  std::map<Color, std::uint8_t> indexOf;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      indexOf.emplace(bitmap.Pixel(x, y), 0);
      if (indexOf.size() > 256) return Error{"picture has more than 256 colours"};
    }
  }
  std::vector<Color> palette;
  for (auto& [color, index] : indexOf) {
    index = static_cast<std::uint8_t>(palette.size());
    palette.push_back(color);
  }
  palette.resize(256, Rgb(0, 0, 0));

  std::vector<std::uint8_t> out;
  out.reserve(pixelOffset + static_cast<std::size_t>(bitmap.Width() * bitmap.Height()));
  out.push_back('B');
  out.push_back('M');
  AppendU32(out, 0);  // file size, stored below
  AppendU32(out, 0);
  AppendU32(out, pixelOffset);
  AppendU32(out, 40);
  AppendU32(out, static_cast<std::uint32_t>(bitmap.Width()));
  AppendU32(out, static_cast<std::uint32_t>(bitmap.Height()));
  AppendU16(out, 1);
  AppendU16(out, 8);
  AppendU32(out, 1);  // RLE8
  AppendU32(out, 0);  // pixel data size, stored below
  AppendU32(out, 0);
  AppendU32(out, 0);
  AppendU32(out, 256);
  AppendU32(out, 256);
  for (Color color : palette) {
    out.push_back(BlueOf(color));
    out.push_back(GreenOf(color));
    out.push_back(RedOf(color));
    out.push_back(0);
  }

  std::vector<std::uint8_t> row(static_cast<std::size_t>(bitmap.Width()));
  for (int y = bitmap.Height() - 1; y >= 0; --y) {
    for (int x = 0; x < bitmap.Width(); ++x) row[static_cast<std::size_t>(x)] = indexOf[bitmap.Pixel(x, y)];
    EncodeRow(row, out);
    out.push_back(0);
    out.push_back(y == 0 ? 1 : 0);  // end of line, or end of bitmap after the top row
  }
  StoreU32(out, 2, static_cast<std::uint32_t>(out.size()));
  StoreU32(out, 34, static_cast<std::uint32_t>(out.size() - pixelOffset));
  return out;
}

}  // namespace wobbert
