// The least a full-screen SDL program does before its first frame, to compare the game's
// start-up with: a full-screen-desktop window, a renderer, one streaming texture frame.
// Stays open until it is sent SIGTERM. Ways to open the window that may wait less, to try:
//   opengl  the window is made for OpenGL from the start, so the renderer need not make it anew
//   hidden  the window is shown only once the renderer exists
// and `software` asks for SDL's software renderer instead of its first choice (OpenGL), drawing
// into the window's own picture as the game does where there is no graphics device.
#include <SDL.h>

#include <cstdint>
#include <cstring>
#include <vector>

int main(int argc, char** argv) {
  Uint32 extra = 0;
  Uint32 rendererFlags = 0;
  bool hidden = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "opengl") == 0) extra |= SDL_WINDOW_OPENGL;
    if (std::strcmp(argv[i], "hidden") == 0) hidden = true;
    if (std::strcmp(argv[i], "software") == 0) rendererFlags = SDL_RENDERER_SOFTWARE;
  }
  if (rendererFlags == SDL_RENDERER_SOFTWARE) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (hidden) extra |= SDL_WINDOW_HIDDEN;
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return 1;
  SDL_Window* window =
      SDL_CreateWindow("bare", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, mode.w, mode.h,
                       SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS | extra);
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, rendererFlags);
  if (hidden) SDL_ShowWindow(window);
  SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888,
                                           SDL_TEXTUREACCESS_STREAMING, mode.w, mode.h);
  const std::vector<std::uint32_t> pixels(static_cast<std::size_t>(mode.w) * mode.h, 0x805030);
  SDL_UpdateTexture(texture, nullptr, pixels.data(), mode.w * 4);
  SDL_RenderCopy(renderer, texture, nullptr, nullptr);
  SDL_RenderPresent(renderer);
  SDL_Event event;
  while (SDL_WaitEvent(&event) && event.type != SDL_QUIT) {
  }
  SDL_DestroyTexture(texture);
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
