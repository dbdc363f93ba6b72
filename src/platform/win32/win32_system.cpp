// Windows backend of System.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/system.h"

namespace wobbert::platform {

namespace {

class Win32System final : public System {
 public:
  std::string TemporaryDirectory() override {
    std::vector<char> buffer(MAX_PATH + 1);
    DWORD length = GetTempPathA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length > buffer.size()) {  // too small: length is the size needed
      buffer.resize(length);
      length = GetTempPathA(static_cast<DWORD>(buffer.size()), buffer.data());
      if (length >= buffer.size()) return {};
    }
    return std::string(buffer.data(), length);
  }
};

}  // namespace

System& NativeSystem() {
  static Win32System system;
  return system;
}

}  // namespace wobbert::platform
