// FluidMediaDevice: the Linux media device, FluidSynth's MIDI file player on a General MIDI
// soundfont, heard through SDL2's audio output (so SDL_AUDIODRIVER=dummy or disk runs it
// without a sound card).
//
// The synthesizer and the audio output are made by the first Open and kept until the device is
// destroyed; a missing soundfont or audio output is an error of that Open, with its own text.
// Open reads the whole file, so later writes to it do not change the song. A play reaches its end
// when the file's last event has played and the sound has died away (0.2 s below -80 dB of full
// scale), not when the library's player would report it, seconds later. The audio thread
// renders and, when a play reaches its end, only pushes an SDL event; the GUI
// thread's event loop turns it into a MediaNotice message (TranslateMediaNotice). The state the
// two threads share is guarded by SDL's audio device lock.
#pragma once

#include <SDL2/SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/media_device.h"
#include "platform/native_application.h"

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_player_t fluid_player_t;

namespace wobbert::platform {

inline constexpr const char* generalMidiSoundFont = "/usr/share/sounds/sf2/default-GM.sf2";

// Error codes of this device.
enum FluidMediaError : MediaError {
  fluidNoDevice = 1,
  fluidNoSoundFont,
  fluidNoAudioOutput,
  fluidFileUnreadable,
  fluidNotMidi,
  fluidPlayerFailed,
};

class FluidMediaDevice final : public MediaDevice {
 public:
  explicit FluidMediaDevice(std::string soundFontPath = generalMidiSoundFont);
  ~FluidMediaDevice() override;
  FluidMediaDevice(const FluidMediaDevice&) = delete;
  FluidMediaDevice& operator=(const FluidMediaDevice&) = delete;

  std::uintptr_t NoticeKey() const override { return noticeKey_; }
  std::uint32_t DeviceId() const override { return deviceId_; }

  MediaError Open(const std::string& fileName, bool notify) override;
  MediaError Play(bool notify) override;
  MediaError SeekToStart() override;
  MediaError Stop(bool notify) override;
  MediaError Close(bool notify) override;
  MediaMode Mode() override;
  bool AtEnd() override;
  std::string ErrorText(MediaError error) override;

 private:
  static void Render(void* device, Uint8* stream, int length);
  // Audio thread, with a play in progress: whether it has come to its end, given the samples
  // (interleaved stereo) just rendered.
  bool PlayedToTheEnd(const float* samples, int count);

  MediaError StartOutput();
  // With the audio lock held: a fresh player on the song, standing at its start.
  MediaError LoadSong();
  // With the audio lock held: ends a play in progress and reports an outstanding notice Aborted.
  void Halt();
  void Post(MediaNotice notice) const;

  std::string soundFontPath_;
  std::uintptr_t noticeKey_;
  std::uint32_t deviceId_ = 0;
  std::vector<std::uint8_t> song_;
  std::string outputError_;

  bool audioSubsystem_ = false;
  SDL_AudioDeviceID audio_ = 0;
  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;

  // Shared with the audio thread.
  fluid_player_t* player_ = nullptr;
  bool playing_ = false;
  bool atEnd_ = false;
  bool notifyPending_ = false;
  int quietFrames_ = 0;  // frames rendered quiet since the song's last event
};

// For the SDL event loop: turns a device's notice event into a MediaNotice message.
bool TranslateMediaNotice(const SDL_Event& event, Message& message);

}  // namespace wobbert::platform
