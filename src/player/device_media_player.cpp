#include "player/device_media_player.h"

#include <cassert>

#include "framework/application.h"

namespace wobbert::player {

using platform::MediaNotice;

DeviceMediaPlayer::DeviceMediaPlayer(std::unique_ptr<platform::MediaDevice> device) : device_(std::move(device)) {
  assert(device_);
  framework::application.RegisterMediaReceiver(device_->NoticeKey(), [this](int notice) { Notify(notice); });
}

DeviceMediaPlayer::~DeviceMediaPlayer() {
  framework::application.UnregisterMediaReceiver(device_->NoticeKey());
  if (device_->DeviceId() != 0) device_->Close(false);
}

void DeviceMediaPlayer::RequestNotify(bool notify) {
  notifyRequested_ = true;
  notify_ = notify;
}

bool DeviceMediaPlayer::TakeNotify(bool byDefault) {
  if (!notifyRequested_) return byDefault;
  notifyRequested_ = false;
  return notify_;
}

void DeviceMediaPlayer::CheckOpen() const {
  if (device_->DeviceId() == 0) throw MediaPlayerError(noDeviceOpen);
}

void DeviceMediaPlayer::Open() {
  // The song still open is cut off without a notice of the close; the request is the Open's.
  if (device_->DeviceId() != 0) error_ = device_->Close(false);
  error_ = device_->Open(fileName_, TakeNotify(false));
  if (error_ != 0) {
    std::string text = device_->ErrorText(error_);
    throw MediaPlayerError(text.empty() ? unknownErrorCode : text);
  }
}

void DeviceMediaPlayer::Play() {
  CheckOpen();
  const bool notify = TakeNotify(true);
  if (autoRewind_ && device_->AtEnd()) {
    error_ = device_->SeekToStart();
    if (error_ != 0) return;
  }
  error_ = device_->Play(notify);
}

void DeviceMediaPlayer::Stop() {
  CheckOpen();
  error_ = device_->Stop(TakeNotify(false));
}

void DeviceMediaPlayer::Close() {
  if (device_->DeviceId() == 0) return;
  error_ = device_->Close(TakeNotify(false));
}

bool DeviceMediaPlayer::IsPlaying() {
  return device_->DeviceId() != 0 && device_->Mode() == platform::MediaMode::Playing;
}

void DeviceMediaPlayer::Notify(int notice) {
  switch (static_cast<MediaNotice>(notice)) {
    case MediaNotice::Successful: notifyResult_ = NotifyValue::Successful; break;
    case MediaNotice::Superseded: notifyResult_ = NotifyValue::Superseded; break;
    case MediaNotice::Aborted: notifyResult_ = NotifyValue::Aborted; break;
    case MediaNotice::Failure:
    default: notifyResult_ = NotifyValue::Failure; break;
  }
  if (onNotify_) onNotify_();
}

}  // namespace wobbert::player
