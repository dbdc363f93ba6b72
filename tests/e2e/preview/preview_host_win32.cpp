// preview_host.exe: a stand-in for the settings panel's little monitor picture, for the preview's
// end-to-end test under Wine. Creates a borderless 152 x 112 window at (100, 100) with a grey
// background, shows it (unless started with --hidden), prints its handle in decimal and then
// obeys one command per line on standard input: "hide", "show", "destroy", "quit". Each command
// is answered with "ok" once the window has done it; after "destroy", with "gone".
//
// Standard input is read on a second thread, which only posts each command to the window's
// thread; the window is shown, hidden and destroyed on its own thread.
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <thread>

namespace {

constexpr UINT commandMessage = WM_APP + 1;
enum Command : WPARAM { hideCommand, showCommand, destroyCommand, quitCommand, unknownCommand };

DWORD mainThread = 0;

void Answer(const char* text) {
  std::printf("%s\n", text);
  std::fflush(stdout);
}

LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) return 0;
  return DefWindowProcA(window, message, wParam, lParam);
}

void ReadCommands() {
  for (std::string line; std::getline(std::cin, line);) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    WPARAM command = unknownCommand;
    if (line == "hide") command = hideCommand;
    if (line == "show") command = showCommand;
    if (line == "destroy") command = destroyCommand;
    if (line == "quit") command = quitCommand;
    PostThreadMessageA(mainThread, commandMessage, command, 0);
    if (command == quitCommand) return;
  }
  PostThreadMessageA(mainThread, commandMessage, quitCommand, 0);
}

}  // namespace

int main(int argc, char** argv) {
  const bool startHidden = argc > 1 && std::string(argv[1]) == "--hidden";
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = HostProcedure;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = CreateSolidBrush(0x808080);
  windowClass.lpszClassName = "PreviewHost";
  if (!RegisterClassExA(&windowClass)) return 1;
  HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, "PreviewHost", "preview host", WS_POPUP | WS_CLIPCHILDREN,
                                100, 100, 152, 112, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  if (!startHidden) {
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
  }
  mainThread = GetCurrentThreadId();
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue exists from here on
  std::printf("%llu\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
  std::fflush(stdout);
  std::thread reader(ReadCommands);

  bool running = true;
  while (running && GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.hwnd == nullptr && message.message == commandMessage) {
      if (message.wParam == quitCommand) {
        running = false;
      } else if (!window) {
        Answer("gone");
      } else if (message.wParam == hideCommand) {
        ShowWindow(window, SW_HIDE);
        Answer("ok");
      } else if (message.wParam == showCommand) {
        ShowWindow(window, SW_SHOWNOACTIVATE);
        UpdateWindow(window);
        Answer("ok");
      } else if (message.wParam == destroyCommand) {
        DestroyWindow(window);
        window = nullptr;
        Answer("ok");
      } else {
        Answer("unknown");
      }
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  if (window) DestroyWindow(window);
  reader.join();
  return 0;
}
