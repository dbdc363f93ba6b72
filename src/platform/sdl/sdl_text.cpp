// Linux backend of the text seam: SDL2_ttf (FreeType) on the font file that fontconfig matches
// for the face, weight and slant asked for. Where the matched file is not bold or not italic
// itself, FreeType's synthetic emboldening or slant makes up the difference. Fonts stay open,
// one per face, height and style, for the life of the process.
#include <SDL2/SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "platform/text.h"

namespace wobbert::platform {

namespace {

struct MatchedFont {
  std::string file;
  int index = 0;
  bool bold = false;
  bool italic = false;
};

MatchedFont MatchFont(const FontSpec& font) {
  MatchedFont matched;
  FcPattern* pattern = FcPatternCreate();
  if (!pattern) return matched;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(font.face.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, font.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, font.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file)
      matched.file = reinterpret_cast<const char*>(file);
    int value = 0;
    if (FcPatternGetInteger(match, FC_INDEX, 0, &value) == FcResultMatch) matched.index = value;
    if (FcPatternGetInteger(match, FC_WEIGHT, 0, &value) == FcResultMatch)
      matched.bold = value >= FC_WEIGHT_DEMIBOLD;
    if (FcPatternGetInteger(match, FC_SLANT, 0, &value) == FcResultMatch)
      matched.italic = value != FC_SLANT_ROMAN;
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  return matched;
}

class SdlTextRenderer final : public TextRenderer {
 public:
  ~SdlTextRenderer() override {
    for (auto& [key, font] : fonts_)
      if (font) TTF_CloseFont(font);
    if (initialised_) TTF_Quit();
  }

  Size Measure(const FontSpec& font, const std::string& text) override {
    TTF_Font* opened = Open(font);
    if (!opened) return {};
    int width = 0;
    int height = 0;
    if (!text.empty() && TTF_SizeText(opened, text.c_str(), &width, &height) != 0) width = 0;
    return {width, TTF_FontHeight(opened)};
  }

  TextMask Rasterise(const FontSpec& font, const std::string& text) override {
    TextMask mask;
    TTF_Font* opened = Open(font);
    if (!opened) return mask;
    mask.height = TTF_FontHeight(opened);
    if (text.empty()) return mask;
    SDL_Surface* rendered = TTF_RenderText_Blended(opened, text.c_str(), SDL_Color{255, 255, 255, 255});
    if (!rendered) return mask;
    SDL_Surface* surface = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(rendered);
    if (!surface) return mask;
    mask.width = surface->w;
    mask.height = std::max(mask.height, surface->h);
    mask.coverage.assign(static_cast<std::size_t>(mask.width) * static_cast<std::size_t>(mask.height), 0);
    SDL_LockSurface(surface);
    for (int y = 0; y < surface->h; ++y) {
      const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(surface->pixels) +
                                                        static_cast<std::ptrdiff_t>(y) * surface->pitch);
      for (int x = 0; x < surface->w; ++x) {
        mask.coverage[static_cast<std::size_t>(y) * static_cast<std::size_t>(mask.width) +
                      static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(row[x] >> 24);
      }
    }
    SDL_UnlockSurface(surface);
    SDL_FreeSurface(surface);
    return mask;
  }

 private:
  TTF_Font* Open(const FontSpec& font) {
    if (font.pixelHeight <= 0 || font.pixelHeight > 1000) return nullptr;
    const auto key = std::make_tuple(font.face, font.pixelHeight, font.bold, font.italic);
    if (auto it = fonts_.find(key); it != fonts_.end()) return it->second;
    TTF_Font* opened = nullptr;
    if (!initialised_) initialised_ = TTF_Init() == 0;
    if (initialised_) {
      const MatchedFont matched = MatchFont(font);
      if (!matched.file.empty()) {
        // At SDL_ttf's 72 dots per inch a size in points is the em size in pixels.
        opened = TTF_OpenFontIndex(matched.file.c_str(), font.pixelHeight, matched.index);
      }
      if (opened) {
        int style = TTF_STYLE_NORMAL;
        if (font.bold && !matched.bold) style |= TTF_STYLE_BOLD;
        if (font.italic && !matched.italic) style |= TTF_STYLE_ITALIC;
        TTF_SetFontStyle(opened, style);
      }
    }
    fonts_[key] = opened;  // a failure is remembered too, so it is not retried on every paint
    return opened;
  }

  std::map<std::tuple<std::string, int, bool, bool>, TTF_Font*> fonts_;
  bool initialised_ = false;
};

}  // namespace

TextRenderer& NativeTextRenderer() {
  static SdlTextRenderer renderer;
  return renderer;
}

}  // namespace wobbert::platform
