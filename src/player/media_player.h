// MediaPlayer: the invisible player a window owns (`MediaPlayer1`), as the windows use it.
//
// One file (`FileName`) at a time on the system's MIDI sequencer. RequestNotify is a one-shot
// switch for the next Open, Play, Stop or Close only (that command consumes it; queries leave
// it). Without it, Play reports its completion and Open, Stop and Close do not. A report arrives
// later, as a message on the GUI thread: the player sets NotifyResult and calls OnNotify.
// Open closes an open device first and raises MediaPlayerError with the system's text when the
// file cannot be opened. Play and Stop without an open device raise "No MCI device open". Play,
// Stop and Close keep other errors to themselves and return; Close without an open device does
// nothing. With AutoRewind (on by default) Play starts a file that stands at its end from its
// start. IsPlaying is true only while an open device is playing. Open, Stop and Close have
// finished when they return.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace wobbert::player {

class MediaPlayerError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr const char* noDeviceOpen = "No MCI device open";
inline constexpr const char* unknownErrorCode = "Unknown error code";

enum class NotifyValue { Successful, Superseded, Aborted, Failure };

class MediaPlayer {
 public:
  virtual ~MediaPlayer() = default;

  virtual void SetFileName(std::string fileName) = 0;
  virtual const std::string& FileName() const = 0;
  virtual void SetAutoRewind(bool autoRewind) = 0;
  virtual bool AutoRewind() const = 0;
  virtual void SetOnNotify(std::function<void()> handler) = 0;
  virtual NotifyValue NotifyResult() const = 0;

  // The device ID of the open device, 0 while none is open.
  virtual std::uint32_t DeviceId() const = 0;

  virtual void RequestNotify(bool notify) = 0;
  virtual void Open() = 0;
  virtual void Play() = 0;
  virtual void Stop() = 0;
  virtual void Close() = 0;
  virtual bool IsPlaying() = 0;
};

}  // namespace wobbert::player
