// MediaPlayer: the invisible player a window owns (`MediaPlayer1`), as the windows use it.
//
// One file at a time on the system's MIDI sequencer. RequestNotify is a one-shot switch for the
// next Open, Play, Stop or Close only (that command consumes it; queries leave it): with it on,
// the command's completion is reported to the player's notify handler. Stop and Close keep an
// error to themselves and return; Close without an open device does nothing. IsPlaying is true
// only while an open device is playing. Stop and Close have finished when they return.
#pragma once

namespace wobbert::player {

class MediaPlayer {
 public:
  virtual ~MediaPlayer() = default;

  virtual void RequestNotify(bool notify) = 0;
  virtual bool IsPlaying() = 0;
  virtual void Stop() = 0;
  virtual void Close() = 0;
};

}  // namespace wobbert::player
