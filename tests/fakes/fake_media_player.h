// FakeMediaPlayer: records the player operations a window asks for, in order.
#pragma once

#include <string>
#include <vector>

#include "player/media_player.h"

namespace wobbert::fakes {

class FakeMediaPlayer final : public player::MediaPlayer {
 public:
  explicit FakeMediaPlayer(std::vector<std::string>& calls) : calls_(calls) {}

  void RequestNotify(bool notify) override {
    calls_.push_back(notify ? "RequestNotify(true)" : "RequestNotify(false)");
  }
  bool IsPlaying() override { return playing; }
  void Stop() override {
    calls_.push_back("Stop");
    playing = false;
  }
  void Close() override { calls_.push_back("Close"); }

  bool playing = false;

 private:
  std::vector<std::string>& calls_;
};

}  // namespace wobbert::fakes
