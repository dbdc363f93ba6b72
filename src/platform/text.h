// The seam for text: a string rasterised in a font face at a pixel height into a coverage mask,
// and measured.
//
// The pixel height is the height of the characters without internal leading (the em size), as
// the dialogs give their fonts. A mask is one byte per pixel, 0 (none) to 255 (full coverage),
// rows top first, `width` bytes per row, and covers one line of text: `height` is the font's line
// height and the text's origin is the mask's top-left corner. Strings are 8-bit characters of the
// ANSI (Latin-1) set; a string holds one line. The native renderer always antialiases; where the
// face is missing the system's closest match is used. Every call is made on the GUI thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/system.h"

namespace wobbert::platform {

struct FontSpec {
  std::string face;
  int pixelHeight = 0;
  bool bold = false;
  bool italic = false;
  bool operator==(const FontSpec&) const = default;
};

struct TextMask {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> coverage;  // width * height bytes
  std::uint8_t At(int x, int y) const {
    return coverage[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
  }
};

class TextRenderer {
 public:
  virtual ~TextRenderer() = default;
  // The advance width of the string and the line height; an empty string has width 0.
  virtual Size Measure(const FontSpec& font, const std::string& text) = 0;
  // The string's glyphs. The mask may be wider than the measured width where glyphs reach past
  // their advance (italic overhang); its height is the line height.
  virtual TextMask Rasterise(const FontSpec& font, const std::string& text) = 0;
};

TextRenderer& NativeTextRenderer();

// The installed renderer, or the native one when none is installed.
TextRenderer& CurrentTextRenderer();
void InstallTextRenderer(TextRenderer* renderer);

}  // namespace wobbert::platform
