// DeviceMediaPlayer: the media player on one of the system's media devices.
//
// It keeps the device ID (through the device), the one-shot notify request and the last error
// code, and it receives its device's completion notices from the application's message loop
// (registered under the device's notice key for as long as the player lives). Destroying a
// player with an open device closes the device, without a notice.
#pragma once

#include <memory>

#include "platform/media_device.h"
#include "player/media_player.h"

namespace wobbert::player {

class DeviceMediaPlayer final : public MediaPlayer {
 public:
  explicit DeviceMediaPlayer(std::unique_ptr<platform::MediaDevice> device);
  ~DeviceMediaPlayer() override;
  DeviceMediaPlayer(const DeviceMediaPlayer&) = delete;
  DeviceMediaPlayer& operator=(const DeviceMediaPlayer&) = delete;

  void SetFileName(std::string fileName) override { fileName_ = std::move(fileName); }
  const std::string& FileName() const override { return fileName_; }
  void SetAutoRewind(bool autoRewind) override { autoRewind_ = autoRewind; }
  bool AutoRewind() const override { return autoRewind_; }
  void SetOnNotify(std::function<void()> handler) override { onNotify_ = std::move(handler); }
  NotifyValue NotifyResult() const override { return notifyResult_; }
  std::uint32_t DeviceId() const override { return device_->DeviceId(); }

  void RequestNotify(bool notify) override;
  void Open() override;
  void Play() override;
  void Stop() override;
  void Close() override;
  bool IsPlaying() override;

  // The error code of the last command, 0 when it succeeded.
  platform::MediaError Error() const { return error_; }
  // A completion notice of the device, as the message loop delivers it.
  void Notify(int notice);

 private:
  // Whether the command about to run reports its completion; consumes the one-shot request.
  bool TakeNotify(bool byDefault);
  void CheckOpen() const;

  std::unique_ptr<platform::MediaDevice> device_;
  std::string fileName_;
  bool autoRewind_ = true;
  bool notifyRequested_ = false;
  bool notify_ = false;
  NotifyValue notifyResult_ = NotifyValue::Successful;
  std::function<void()> onNotify_;
  platform::MediaError error_ = 0;
};

}  // namespace wobbert::player
