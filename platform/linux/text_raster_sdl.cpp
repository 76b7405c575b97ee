#include "platform/text_raster.h"

#include <SDL.h>
#include <SDL_ttf.h>

namespace {

class SdlTextRaster : public TextRaster {
 public:
  SdlTextRaster(TTF_Font* font, bool ownsTtf) : font_(font), ownsTtf_(ownsTtf) {}
  ~SdlTextRaster() override {
    TTF_CloseFont(font_);
    if (ownsTtf_) TTF_Quit();
  }
  SdlTextRaster(const SdlTextRaster&) = delete;
  SdlTextRaster& operator=(const SdlTextRaster&) = delete;

  TextMask Render(const std::string& utf8) override {
    TextMask mask;
    if (utf8.empty()) return mask;
    SDL_Surface* glyphs = TTF_RenderUTF8_Blended(font_, utf8.c_str(), SDL_Color{255, 255, 255, 255});
    if (glyphs == nullptr) return mask;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(glyphs, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(glyphs);
    if (argb == nullptr) return mask;
    mask.width = argb->w;
    mask.height = argb->h;
    mask.coverage.resize(static_cast<std::size_t>(argb->w) * argb->h);
    for (int y = 0; y < argb->h; ++y) {
      const auto* row = reinterpret_cast<const std::uint32_t*>(
          static_cast<const std::uint8_t*>(argb->pixels) + static_cast<std::size_t>(y) * argb->pitch);
      for (int x = 0; x < argb->w; ++x) {
        mask.coverage[static_cast<std::size_t>(y) * argb->w + x] = static_cast<std::uint8_t>(row[x] >> 24);
      }
    }
    SDL_FreeSurface(argb);
    return mask;
  }

 private:
  TTF_Font* font_;
  bool ownsTtf_;
};

}  // namespace

std::unique_ptr<TextRaster> OpenTextRaster(const std::string& fontPath, int pixelSize) {
  bool ownsTtf = false;
  if (TTF_WasInit() == 0) {
    if (TTF_Init() != 0) return nullptr;
    ownsTtf = true;
  }
  TTF_Font* const font = TTF_OpenFont(fontPath.c_str(), pixelSize);
  if (font == nullptr) {
    if (ownsTtf) TTF_Quit();
    return nullptr;
  }
  TTF_SetFontHinting(font, TTF_HINTING_MONO);
  return std::make_unique<SdlTextRaster>(font, ownsTtf);
}
