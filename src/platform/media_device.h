// MediaDevice: the system's MIDI sequencer, one file at a time, as the media player drives it.
//
// The commands are those of the system's media control interface: Open a file, Play it from
// where it stands, SeekToStart, Stop, Close. Each returns 0 or an error code, for which ErrorText
// gives the system's text (empty when the system has none). A command given with `notify`
// reports its completion later, as a MediaNotice message on the GUI thread that carries the
// device's NoticeKey (never as a call from another thread):
//   - Open, SeekToStart, Stop and Close have finished when they return; their notice, if asked
//     for, is Successful.
//   - Play reports Successful only when the file reaches its end. A play stopped, closed,
//     rewound or replaced by another Open first reports Aborted; a later Play with notify
//     replaces an outstanding one, which reports Superseded.
// A stopped file plays on from where it stopped; a file at its end stays there (AtEnd) until
// SeekToStart. Closing a device that is destroyed with a file open is the device's own job.
// Every call is made on the GUI thread.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace wobbert::platform {

// The completion values, numbered as the system's media control numbers them.
enum class MediaNotice : int { Successful = 1, Superseded = 2, Aborted = 4, Failure = 8 };

enum class MediaMode { NotOpen, Stopped, Playing, Other };

using MediaError = std::uint32_t;  // 0: no error

class MediaDevice {
 public:
  virtual ~MediaDevice() = default;

  // The key the device's MediaNotice messages carry; unique among the devices that exist.
  virtual std::uintptr_t NoticeKey() const = 0;
  // The system's number of the open file's device, 0 while none is open.
  virtual std::uint32_t DeviceId() const = 0;

  virtual MediaError Open(const std::string& fileName, bool notify) = 0;
  virtual MediaError Play(bool notify) = 0;
  virtual MediaError SeekToStart() = 0;
  virtual MediaError Stop(bool notify) = 0;
  virtual MediaError Close(bool notify) = 0;

  virtual MediaMode Mode() = 0;
  // True when the open file's position equals its length.
  virtual bool AtEnd() = 0;

  virtual std::string ErrorText(MediaError error) = 0;
};

// The device of the system the program was built for.
std::unique_ptr<MediaDevice> NativeMediaDevice();

// A new device from the installed factory, or a native one when none is installed. Tests install
// a factory of fakes; nullptr restores the native device.
using MediaDeviceFactory = std::function<std::unique_ptr<MediaDevice>()>;
std::unique_ptr<MediaDevice> CreateMediaDevice();
void InstallMediaDeviceFactory(MediaDeviceFactory factory);

}  // namespace wobbert::platform
