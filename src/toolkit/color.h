// Colours as one value in the system's colour-reference layout: red in the low byte, then green,
// then blue. Pixels in memory are the other way round (blue, green, red); see bitmap.h.
#pragma once

#include <cstdint>

namespace wobbert {

using Color = std::uint32_t;

constexpr Color Rgb(int red, int green, int blue) {
  return static_cast<Color>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr std::uint8_t RedOf(Color color) { return static_cast<std::uint8_t>(color & 0xFF); }
constexpr std::uint8_t GreenOf(Color color) { return static_cast<std::uint8_t>((color >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(Color color) { return static_cast<std::uint8_t>((color >> 16) & 0xFF); }

// The ground of every picture; left out by KeyedCopy.
inline constexpr Color keyMagenta = Rgb(255, 0, 255);

}  // namespace wobbert
