// Windows: the web page opens through the shell with its default verb.
#include <windows.h>
#include <shellapi.h>

#include "platform/system.h"

namespace wobbert::platform {

void System::OpenWebAddress(WindowHandle owner, const std::string& address) {
  // The result is of no use to the program: a page that does not open is not reported.
  (void)ShellExecuteA(reinterpret_cast<HWND>(owner), nullptr, address.c_str(), "", ".", SW_SHOWNORMAL);
}

}  // namespace wobbert::platform
