#include "data/tint_tree.h"

#include "toolkit/pixel_operations.h"
#include "toolkit/random.h"

namespace wobbert {

void TintTree(Bitmap& bitmap) {
  const int a = Random(16);
  const int b = Random(16);
  const int height = bitmap.Height();
  for (int y = 0; y < height; ++y) {
    const int f = ((height - y) * 48) / height - 32;
    std::uint8_t* pixel = bitmap.ScanLine(y);
    for (int x = 0; x < bitmap.Width(); ++x, pixel += 3) {
      const int blue = pixel[0], green = pixel[1], red = pixel[2];
      if (red >= green) continue;
      pixel[0] = static_cast<std::uint8_t>(ClampInt(blue + f - 32, 0, 255));
      pixel[1] = static_cast<std::uint8_t>(ClampInt(green + a + b + f, 0, 255));
      pixel[2] = static_cast<std::uint8_t>(ClampInt(red + a + f, 0, 255));
    }
  }
}

}  // namespace wobbert
