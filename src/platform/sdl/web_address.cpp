// Linux: the web page opens through SDL, which hands it to the desktop's opener (xdg-open).
#include <SDL2/SDL.h>

#include "platform/system.h"

namespace wobbert::platform {

void System::OpenWebAddress(WindowHandle owner, const std::string& address) {
  (void)owner;
  (void)SDL_OpenURL(address.c_str());
}

}  // namespace wobbert::platform
