// MciMediaDevice: the Windows media device, the MCI sequencer driven through mciSendCommandA.
//
// Each device owns a hidden message-only window that it passes as the callback window of every
// command, so MCI posts its MM_MCINOTIFY messages there; that window's handle is the device's
// notice key. The application's message loop turns those messages into MediaNotice messages
// (TranslateMciNotify) before it dispatches anything. Error texts come from mciGetErrorStringA.
// Destroying a device with a file open closes it (MCI_CLOSE with MCI_WAIT).
#pragma once

#include <windows.h>
// The seam's NativeApplication::CreateWindow is ours; the system's macro of that name is not used.
#undef CreateWindow

#include "platform/media_device.h"
#include "platform/native_application.h"

namespace wobbert::platform {

class MciMediaDevice final : public MediaDevice {
 public:
  MciMediaDevice();
  ~MciMediaDevice() override;
  MciMediaDevice(const MciMediaDevice&) = delete;
  MciMediaDevice& operator=(const MciMediaDevice&) = delete;

  std::uintptr_t NoticeKey() const override { return reinterpret_cast<std::uintptr_t>(window_); }
  std::uint32_t DeviceId() const override { return device_; }

  MediaError Open(const std::string& fileName, bool notify) override;
  MediaError Play(bool notify) override;
  MediaError SeekToStart() override;
  MediaError Stop(bool notify) override;
  MediaError Close(bool notify) override;
  MediaMode Mode() override;
  bool AtEnd() override;
  std::string ErrorText(MediaError error) override;

 private:
  DWORD_PTR Callback() const { return reinterpret_cast<DWORD_PTR>(window_); }
  MediaError Status(DWORD item, DWORD_PTR& value);

  HWND window_ = nullptr;
  UINT device_ = 0;
};

// For the Win32 message loop: an MM_MCINOTIFY message as a MediaNotice message for the device
// whose window it was posted to.
bool TranslateMciNotify(const MSG& systemMessage, Message& message);

}  // namespace wobbert::platform
