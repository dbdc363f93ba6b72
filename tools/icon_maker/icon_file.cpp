#include "icon_file.h"

#include <algorithm>

namespace wobbert::tools {

namespace {

void Put16(std::vector<std::uint8_t>& out, int value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
}

struct Box {
  int left, top, right, bottom;  // right and bottom exclusive
};

// One icon image: BITMAPINFOHEADER, BGRA rows bottom-up, then the AND mask bottom-up.
std::vector<std::uint8_t> Image(const Bitmap& picture, Color ground, const Box& box, int size) {
  const int width = box.right - box.left;
  const int height = box.bottom - box.top;
  // Scale so the longer side fills the square; centre the shorter one.
  const double scale = static_cast<double>(std::max(width, height)) / size;
  const double offsetX = (size * scale - width) / 2.0;
  const double offsetY = (size * scale - height) / 2.0;

  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(size) * static_cast<std::size_t>(size) * 4, 0);
  const int maskStride = ((size + 31) / 32) * 4;
  std::vector<std::uint8_t> mask(static_cast<std::size_t>(maskStride) * static_cast<std::size_t>(size), 0);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const int sourceLeft = static_cast<int>(x * scale - offsetX);
      const int sourceTop = static_cast<int>(y * scale - offsetY);
      const int sourceRight = std::max(sourceLeft + 1, static_cast<int>((x + 1) * scale - offsetX));
      const int sourceBottom = std::max(sourceTop + 1, static_cast<int>((y + 1) * scale - offsetY));
      long red = 0, green = 0, blue = 0, covered = 0, total = 0;
      for (int sy = sourceTop; sy < sourceBottom; ++sy) {
        for (int sx = sourceLeft; sx < sourceRight; ++sx) {
          ++total;
          if (sx < 0 || sy < 0 || sx >= width || sy >= height) continue;
          const Color color = picture.Pixel(box.left + sx, box.top + sy);
          if (color == ground) continue;
          ++covered;
          red += RedOf(color);
          green += GreenOf(color);
          blue += BlueOf(color);
        }
      }
      const int row = size - 1 - y;  // bottom-up
      std::uint8_t* pixel = &pixels[(static_cast<std::size_t>(row) * static_cast<std::size_t>(size) +
                                     static_cast<std::size_t>(x)) * 4];
      if (covered == 0) {
        mask[static_cast<std::size_t>(row * maskStride + x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        continue;
      }
      pixel[0] = static_cast<std::uint8_t>((blue + covered / 2) / covered);
      pixel[1] = static_cast<std::uint8_t>((green + covered / 2) / covered);
      pixel[2] = static_cast<std::uint8_t>((red + covered / 2) / covered);
      pixel[3] = static_cast<std::uint8_t>((covered * 255 + total / 2) / total);
    }
  }

  std::vector<std::uint8_t> out;
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(size));
  Put32(out, static_cast<std::uint32_t>(size * 2));  // colour rows and mask rows
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);  // BI_RGB
  Put32(out, static_cast<std::uint32_t>(pixels.size() + mask.size()));
  for (int i = 0; i < 4; ++i) Put32(out, 0);
  out.insert(out.end(), pixels.begin(), pixels.end());
  out.insert(out.end(), mask.begin(), mask.end());
  return out;
}

}  // namespace

Result<std::vector<std::uint8_t>> MakeIcon(const Bitmap& picture, std::span<const int> sizes) {
  if (picture.Width() < 2 || picture.Height() < 2) return Error{"the picture is smaller than 2 x 2"};
  if (sizes.empty()) return Error{"no icon sizes"};
  for (int size : sizes)
    if (size < 1 || size > 256) return Error{"icon sizes are 1 to 256"};
  const Color ground = picture.Pixel(1, 1);
  Box box{picture.Width(), picture.Height(), 0, 0};
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      if (picture.Pixel(x, y) == ground) continue;
      box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
    }
  }
  if (box.right <= box.left) return Error{"the picture is all ground"};

  std::vector<std::vector<std::uint8_t>> images;
  for (int size : sizes) images.push_back(Image(picture, ground, box, size));
  std::vector<std::uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);  // icon
  Put16(out, static_cast<int>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const int size = sizes[i];
    out.push_back(static_cast<std::uint8_t>(size == 256 ? 0 : size));
    out.push_back(static_cast<std::uint8_t>(size == 256 ? 0 : size));
    out.push_back(0);  // no palette
    out.push_back(0);
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits per pixel
    Put32(out, static_cast<std::uint32_t>(images[i].size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
  return out;
}

}  // namespace wobbert::tools
