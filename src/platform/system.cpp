#include "platform/system.h"

namespace wobbert::platform {

namespace {
System* installed = nullptr;
}  // namespace

System& CurrentSystem() { return installed ? *installed : NativeSystem(); }

void InstallSystem(System* system) { installed = system; }

}  // namespace wobbert::platform
