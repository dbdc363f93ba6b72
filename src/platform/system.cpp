#include "platform/profile.h"
#include "platform/system.h"

#include <chrono>
#include <thread>

namespace wobbert::platform {

namespace {
System* installedSystem = nullptr;
Profile* installedProfile = nullptr;
}  // namespace

void System::Sleep(int milliseconds) {
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

System& CurrentSystem() { return installedSystem ? *installedSystem : NativeSystem(); }

void InstallSystem(System* system) { installedSystem = system; }

Profile& CurrentProfile() { return installedProfile ? *installedProfile : NativeProfile(); }

void InstallProfile(Profile* profile) { installedProfile = profile; }

}  // namespace wobbert::platform
