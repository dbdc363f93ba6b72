// FakeTextRenderer: text without fonts, for tests of layout and input. Every character advances
// half the pixel height; a line is one and a half pixel heights tall; every character but the
// blank is a solid block one pixel narrower than its advance, from a quarter of the pixel height
// down, so labels paint predictable pixels.
#pragma once

#include "platform/text.h"

namespace wobbert::fakes {

class FakeTextRenderer final : public platform::TextRenderer {
 public:
  static int Advance(const platform::FontSpec& font) { return font.pixelHeight / 2; }
  static int LineHeight(const platform::FontSpec& font) { return font.pixelHeight + font.pixelHeight / 2; }

  platform::Size Measure(const platform::FontSpec& font, const std::string& text) override {
    return {static_cast<int>(text.size()) * Advance(font), LineHeight(font)};
  }
  platform::TextMask Rasterise(const platform::FontSpec& font, const std::string& text) override {
    platform::TextMask mask;
    mask.width = static_cast<int>(text.size()) * Advance(font);
    mask.height = LineHeight(font);
    mask.coverage.assign(static_cast<std::size_t>(mask.width * mask.height), 0);
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == ' ') continue;
      for (int y = font.pixelHeight / 4; y < font.pixelHeight / 4 + font.pixelHeight; ++y)
        for (int x = 0; x < Advance(font) - 1; ++x)
          mask.coverage[static_cast<std::size_t>(y * mask.width + static_cast<int>(i) * Advance(font) + x)] = 255;
    }
    return mask;
  }
};

// Installs a renderer for the life of the object.
class InstalledTextRenderer {
 public:
  explicit InstalledTextRenderer(platform::TextRenderer& renderer) { platform::InstallTextRenderer(&renderer); }
  ~InstalledTextRenderer() { platform::InstallTextRenderer(nullptr); }
  InstalledTextRenderer(const InstalledTextRenderer&) = delete;
  InstalledTextRenderer& operator=(const InstalledTextRenderer&) = delete;
};

}  // namespace wobbert::fakes
