// Linux backend of System.
#include "platform/sdl/user_directories.h"
#include "platform/system.h"

namespace wobbert::platform {

namespace {

class SdlSystem final : public System {
 public:
  std::string TemporaryDirectory() override { return PrivateRuntimeDirectory(); }
};

}  // namespace

System& NativeSystem() {
  static SdlSystem system;
  return system;
}

}  // namespace wobbert::platform
