// FakeMediaPlayer: records the player operations a window asks for, in order.
#pragma once

#include <string>
#include <vector>

#include "player/media_player.h"

namespace wobbert::fakes {

class FakeMediaPlayer final : public player::MediaPlayer {
 public:
  explicit FakeMediaPlayer(std::vector<std::string>& calls) : calls_(calls) {}

  void SetFileName(std::string fileName) override { fileName_ = std::move(fileName); }
  const std::string& FileName() const override { return fileName_; }
  void SetAutoRewind(bool value) override { autoRewind_ = value; }
  bool AutoRewind() const override { return autoRewind_; }
  void SetOnNotify(std::function<void()> handler) override { onNotify = std::move(handler); }
  player::NotifyValue NotifyResult() const override { return notifyResult; }
  std::uint32_t DeviceId() const override { return deviceId; }

  void RequestNotify(bool notify) override {
    calls_.push_back(notify ? "RequestNotify(true)" : "RequestNotify(false)");
  }
  void Open() override {
    calls_.push_back("Open");
    deviceId = 1;
  }
  void Play() override {
    calls_.push_back("Play");
    playing = true;
  }
  bool IsPlaying() override { return playing; }
  void Stop() override {
    calls_.push_back("Stop");
    playing = false;
  }
  void Close() override {
    calls_.push_back("Close");
    deviceId = 0;
  }

  bool playing = false;
  std::uint32_t deviceId = 0;
  player::NotifyValue notifyResult = player::NotifyValue::Successful;
  std::function<void()> onNotify;

 private:
  std::vector<std::string>& calls_;
  std::string fileName_;
  bool autoRewind_ = true;
};

}  // namespace wobbert::fakes
