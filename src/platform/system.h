// The seam: what the program asks of the operating system outside its windows.
//
// One object holds a backend's state. The native backend (sdl/ on Linux, win32/ on Windows)
// provides NativeSystem(); tests install a fake with InstallSystem and restore with nullptr.
#pragma once

#include <string>

namespace wobbert::platform {

class System {
 public:
  virtual ~System() = default;

  // The per-user temporary directory, ending in a separator; empty when there is none.
  virtual std::string TemporaryDirectory() = 0;
};

// The backend of the system the program was built for.
System& NativeSystem();

// The installed system, or the native one when none is installed.
System& CurrentSystem();
void InstallSystem(System* system);

}  // namespace wobbert::platform
