// FakeMediaDevice: a media device without sound. It records the commands it is given and keeps
// the notice rules of the real devices: Open, SeekToStart, Stop and Close report at once when
// asked to; a Play asked to report does so when the test calls ReachEnd (Successful), or when it
// is stopped, rewound, closed or reopened first (Aborted), or replaced by another Play that
// reports (Superseded). Notices go to `post` as MediaNotice messages. The state lives in a
// FakeMediaDeviceState that outlives the device, so a test can look at it after the player that
// owns the device is gone.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/media_device.h"
#include "platform/native_application.h"

namespace wobbert::fakes {

struct FakeMediaDeviceState {
  std::vector<std::string> calls;
  std::uint32_t deviceId = 0;
  bool playing = false;
  bool atEnd = false;
  bool notifyPending = false;
  std::string openedFile;
  // Open fails with this code (and ErrorText gives errorText for it) while it is not 0.
  platform::MediaError openError = 0;
  std::string errorText;
  std::uint32_t nextDeviceId = 1;
};

class FakeMediaDevice final : public platform::MediaDevice {
 public:
  FakeMediaDevice(FakeMediaDeviceState& state, std::function<void(const platform::Message&)> post,
                  std::uintptr_t key = 77)
      : state_(state), post_(std::move(post)), key_(key) {}
  ~FakeMediaDevice() override { state_.calls.push_back("Destroyed"); }

  std::uintptr_t NoticeKey() const override { return key_; }
  std::uint32_t DeviceId() const override { return state_.deviceId; }

  platform::MediaError Open(const std::string& fileName, bool notify) override {
    Note("Open", notify);
    if (state_.deviceId != 0) Halt();
    if (state_.openError != 0) return state_.openError;
    state_.deviceId = state_.nextDeviceId++;
    state_.openedFile = fileName;
    state_.atEnd = false;
    if (notify) Post(platform::MediaNotice::Successful);
    return 0;
  }
  platform::MediaError Play(bool notify) override {
    Note("Play", notify);
    if (notify) {
      if (state_.notifyPending) Post(platform::MediaNotice::Superseded);
      state_.notifyPending = true;
    }
    if (state_.atEnd) {
      if (std::exchange(state_.notifyPending, false)) Post(platform::MediaNotice::Successful);
    } else {
      state_.playing = true;
    }
    return 0;
  }
  platform::MediaError SeekToStart() override {
    state_.calls.push_back("SeekToStart");
    Halt();
    state_.atEnd = false;
    return 0;
  }
  platform::MediaError Stop(bool notify) override {
    Note("Stop", notify);
    Halt();
    if (notify) Post(platform::MediaNotice::Successful);
    return 0;
  }
  platform::MediaError Close(bool notify) override {
    Note("Close", notify);
    Halt();
    state_.deviceId = 0;
    state_.atEnd = false;
    if (notify) Post(platform::MediaNotice::Successful);
    return 0;
  }
  platform::MediaMode Mode() override {
    if (state_.deviceId == 0) return platform::MediaMode::NotOpen;
    return state_.playing ? platform::MediaMode::Playing : platform::MediaMode::Stopped;
  }
  bool AtEnd() override { return state_.deviceId != 0 && state_.atEnd; }
  std::string ErrorText(platform::MediaError error) override {
    return error == state_.openError ? state_.errorText : "";
  }

  // The song being played reaches its end.
  void ReachEnd() {
    state_.playing = false;
    state_.atEnd = true;
    if (std::exchange(state_.notifyPending, false)) Post(platform::MediaNotice::Successful);
  }
  // A notice the system sends on its own.
  void Post(platform::MediaNotice notice) { PostValue(static_cast<int>(notice)); }
  void PostValue(int value) {
    platform::Message message;
    message.kind = platform::MessageKind::MediaNotice;
    message.mediaDevice = key_;
    message.mediaNotice = value;
    post_(message);
  }

 private:
  void Note(const char* command, bool notify) {
    state_.calls.push_back(std::string(command) + (notify ? "(notify)" : ""));
  }
  void Halt() {
    state_.playing = false;
    if (std::exchange(state_.notifyPending, false)) Post(platform::MediaNotice::Aborted);
  }

  FakeMediaDeviceState& state_;
  std::function<void(const platform::Message&)> post_;
  std::uintptr_t key_;
};

}  // namespace wobbert::fakes
