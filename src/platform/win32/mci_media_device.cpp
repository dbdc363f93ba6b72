#include "platform/win32/mci_media_device.h"

#include <mmsystem.h>

namespace wobbert::platform {

namespace {

constexpr const char* windowClassName = "WobbertMediaPlayer";

// Notices reach the window only through the message loop, which takes them before dispatching;
// the window itself has nothing to do.
ATOM RegisterWindowClass() {
  static const ATOM atom = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = windowClassName;
    return RegisterClassA(&windowClass);
  }();
  return atom;
}

DWORD NotifyFlag(bool notify) { return notify ? MCI_NOTIFY : 0; }

}  // namespace

MciMediaDevice::MciMediaDevice() {
  RegisterWindowClass();
  window_ = CreateWindowExA(0, windowClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
}

MciMediaDevice::~MciMediaDevice() {
  if (device_ != 0) mciSendCommandA(device_, MCI_CLOSE, MCI_WAIT, 0);
  if (window_) DestroyWindow(window_);
}

MediaError MciMediaDevice::Open(const std::string& fileName, bool notify) {
  if (device_ != 0) Close(false);
  // No device type: MCI chooses the sequencer from the file's extension.
  MCI_OPEN_PARMSA parameters{};
  parameters.dwCallback = Callback();
  parameters.lpstrElementName = fileName.c_str();
  const MCIERROR error = mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT | NotifyFlag(notify),
                                         reinterpret_cast<DWORD_PTR>(&parameters));
  if (error == 0) device_ = parameters.wDeviceID;
  return error;
}

MediaError MciMediaDevice::Play(bool notify) {
  MCI_PLAY_PARMS parameters{};
  parameters.dwCallback = Callback();
  return mciSendCommandA(device_, MCI_PLAY, NotifyFlag(notify), reinterpret_cast<DWORD_PTR>(&parameters));
}

MediaError MciMediaDevice::SeekToStart() {
  MCI_SEEK_PARMS parameters{};
  parameters.dwCallback = Callback();
  return mciSendCommandA(device_, MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT,
                         reinterpret_cast<DWORD_PTR>(&parameters));
}

MediaError MciMediaDevice::Stop(bool notify) {
  MCI_GENERIC_PARMS parameters{};
  parameters.dwCallback = Callback();
  return mciSendCommandA(device_, MCI_STOP, MCI_WAIT | NotifyFlag(notify),
                         reinterpret_cast<DWORD_PTR>(&parameters));
}

MediaError MciMediaDevice::Close(bool notify) {
  MCI_GENERIC_PARMS parameters{};
  parameters.dwCallback = Callback();
  const MCIERROR error = mciSendCommandA(device_, MCI_CLOSE, MCI_WAIT | NotifyFlag(notify),
                                         reinterpret_cast<DWORD_PTR>(&parameters));
  if (error == 0) device_ = 0;
  return error;
}

MediaError MciMediaDevice::Status(DWORD item, DWORD_PTR& value) {
  MCI_STATUS_PARMS parameters{};
  parameters.dwItem = item;
  const MCIERROR error = mciSendCommandA(device_, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT,
                                         reinterpret_cast<DWORD_PTR>(&parameters));
  value = parameters.dwReturn;
  return error;
}

MediaMode MciMediaDevice::Mode() {
  if (device_ == 0) return MediaMode::NotOpen;
  DWORD_PTR mode = 0;
  if (Status(MCI_STATUS_MODE, mode) != 0) return MediaMode::Other;
  if (mode == MCI_MODE_PLAY) return MediaMode::Playing;
  if (mode == MCI_MODE_STOP) return MediaMode::Stopped;
  return MediaMode::Other;
}

bool MciMediaDevice::AtEnd() {
  if (device_ == 0) return false;
  DWORD_PTR position = 0;
  DWORD_PTR length = 0;
  Status(MCI_STATUS_POSITION, position);
  Status(MCI_STATUS_LENGTH, length);
  return position == length;
}

std::string MciMediaDevice::ErrorText(MediaError error) {
  char text[256] = {};
  if (!mciGetErrorStringA(error, text, sizeof text)) return "";
  return text;
}

std::unique_ptr<MediaDevice> NativeMediaDevice() { return std::make_unique<MciMediaDevice>(); }

bool TranslateMciNotify(const MSG& systemMessage, Message& message) {
  if (systemMessage.message != MM_MCINOTIFY) return false;
  message = {};
  message.kind = MessageKind::MediaNotice;
  message.mediaDevice = reinterpret_cast<std::uintptr_t>(systemMessage.hwnd);
  message.mediaNotice = static_cast<int>(systemMessage.wParam);
  return true;
}

}  // namespace wobbert::platform
