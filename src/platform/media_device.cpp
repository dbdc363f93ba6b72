#include "platform/media_device.h"

namespace wobbert::platform {

namespace {
MediaDeviceFactory installedFactory;
}

std::unique_ptr<MediaDevice> CreateMediaDevice() {
  return installedFactory ? installedFactory() : NativeMediaDevice();
}

void InstallMediaDeviceFactory(MediaDeviceFactory factory) { installedFactory = std::move(factory); }

}  // namespace wobbert::platform
