#include "platform/profile.h"
#include "platform/system.h"

namespace wobbert::platform {

namespace {
System* installedSystem = nullptr;
Profile* installedProfile = nullptr;
}  // namespace

System& CurrentSystem() { return installedSystem ? *installedSystem : NativeSystem(); }

void InstallSystem(System* system) { installedSystem = system; }

Profile& CurrentProfile() { return installedProfile ? *installedProfile : NativeProfile(); }

void InstallProfile(Profile* profile) { installedProfile = profile; }

}  // namespace wobbert::platform
