// Windows backend of the text seam: GDI fonts of antialiased quality, drawn white on black into
// a 32-bit DIB section whose green channel is the coverage. The font smoothing setting of the
// desktop is left alone: ANTIALIASED_QUALITY asks for greyscale smoothing for our fonts only.
// Fonts stay created, one per face, height and style, for the life of the process.
#include <windows.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "platform/text.h"

namespace wobbert::platform {

namespace {

class Win32TextRenderer final : public TextRenderer {
 public:
  Win32TextRenderer() : dc_(CreateCompatibleDC(nullptr)) {}
  ~Win32TextRenderer() override {
    for (auto& [key, font] : fonts_)
      if (font) DeleteObject(font);
    if (dc_) DeleteDC(dc_);
  }
  Win32TextRenderer(const Win32TextRenderer&) = delete;
  Win32TextRenderer& operator=(const Win32TextRenderer&) = delete;

  Size Measure(const FontSpec& font, const std::string& text) override {
    HFONT handle = Open(font);
    if (!handle || !dc_) return {};
    HGDIOBJ previous = SelectObject(dc_, handle);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc_, &metrics);
    SIZE extent{0, 0};
    if (!text.empty()) GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc_, previous);
    return {static_cast<int>(extent.cx), static_cast<int>(metrics.tmHeight)};
  }

  TextMask Rasterise(const FontSpec& font, const std::string& text) override {
    TextMask mask;
    const Size size = Measure(font, text);
    mask.height = size.height;
    if (text.empty() || size.width <= 0 || size.height <= 0) return mask;
    // Italic glyphs reach past their advance; leave them room.
    const int width = size.width + (font.italic ? size.height / 2 : 2);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -size.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP target = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!target || !bits) return mask;
    HGDIOBJ previousBitmap = SelectObject(dc_, target);
    HGDIOBJ previousFont = SelectObject(dc_, Open(font));
    std::fill_n(static_cast<std::uint32_t*>(bits), static_cast<std::size_t>(width) * static_cast<std::size_t>(size.height), 0u);
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, RGB(255, 255, 255));
    TextOutA(dc_, 0, 0, text.c_str(), static_cast<int>(text.size()));
    GdiFlush();
    mask.width = width;
    mask.coverage.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(size.height));
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < mask.coverage.size(); ++i)
      mask.coverage[i] = static_cast<std::uint8_t>((pixels[i] >> 8) & 0xFF);
    SelectObject(dc_, previousFont);
    SelectObject(dc_, previousBitmap);
    DeleteObject(target);
    return mask;
  }

 private:
  HFONT Open(const FontSpec& font) {
    if (font.pixelHeight <= 0 || font.pixelHeight > 1000) return nullptr;
    const auto key = std::make_tuple(font.face, font.pixelHeight, font.bold, font.italic);
    if (auto it = fonts_.find(key); it != fonts_.end()) return it->second;
    // A negative height asks for the character height without internal leading.
    HFONT handle = CreateFontA(-font.pixelHeight, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
                               font.italic ? TRUE : FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                               font.face.c_str());
    fonts_[key] = handle;
    return handle;
  }

  HDC dc_;
  std::map<std::tuple<std::string, int, bool, bool>, HFONT> fonts_;
};

}  // namespace

TextRenderer& NativeTextRenderer() {
  static Win32TextRenderer renderer;
  return renderer;
}

}  // namespace wobbert::platform
