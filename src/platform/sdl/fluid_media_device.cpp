#include "platform/sdl/fluid_media_device.h"

#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>

namespace wobbert::platform {

namespace {

constexpr int sampleRate = 44100;
constexpr Uint16 bufferFrames = 1024;

// A song is over once its last event has played and its sound has stayed below this level
// (-80 dB of full scale, far beneath anything heard over the music) for this long.
constexpr float quietPeak = 1e-4f;
constexpr int quietFramesAtEnd = sampleRate / 5;

std::atomic<std::uintptr_t> nextNoticeKey{1};
std::atomic<std::uint32_t> nextDeviceId{1};

Uint32 NoticeEventType() {
  static const Uint32 type = SDL_RegisterEvents(1);
  return type;
}

// The library reports through its own log; the program logs nothing.
void QuietLibrary() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level) fluid_set_log_function(level, nullptr, nullptr);
  });
}

// A scoped hold of the audio device lock, so the audio thread sees each change whole.
class AudioLock {
 public:
  explicit AudioLock(SDL_AudioDeviceID audio) : audio_(audio) {
    if (audio_ != 0) SDL_LockAudioDevice(audio_);
  }
  ~AudioLock() {
    if (audio_ != 0) SDL_UnlockAudioDevice(audio_);
  }
  AudioLock(const AudioLock&) = delete;
  AudioLock& operator=(const AudioLock&) = delete;

 private:
  SDL_AudioDeviceID audio_;
};

}  // namespace

FluidMediaDevice::FluidMediaDevice(std::string soundFontPath)
    : soundFontPath_(std::move(soundFontPath)), noticeKey_(nextNoticeKey++) {
  NoticeEventType();
}

FluidMediaDevice::~FluidMediaDevice() {
  // The player stops first, then the audio thread ends, and only then do the player, the
  // synthesizer and its settings go.
  {
    AudioLock lock(audio_);
    if (player_ && playing_) fluid_player_stop(player_);
    playing_ = false;
  }
  if (audio_ != 0) SDL_CloseAudioDevice(audio_);
  if (player_) delete_fluid_player(player_);
  if (synth_) delete_fluid_synth(synth_);
  if (settings_) delete_fluid_settings(settings_);
  if (audioSubsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO | SDL_INIT_EVENTS);
}

void FluidMediaDevice::Post(MediaNotice notice) const {
  SDL_Event event{};
  event.type = NoticeEventType();
  event.user.code = static_cast<Sint32>(notice);
  // The key travels as a pointer-sized value; it is never dereferenced.
  event.user.data1 = reinterpret_cast<void*>(noticeKey_);
  SDL_PushEvent(&event);
}

void FluidMediaDevice::Render(void* device, Uint8* stream, int length) {
  auto& self = *static_cast<FluidMediaDevice*>(device);
  const int frames = length / static_cast<int>(2 * sizeof(float));
  if (fluid_synth_write_float(self.synth_, frames, stream, 0, 2, stream, 1, 2) != FLUID_OK) {
    std::memset(stream, 0, static_cast<std::size_t>(length));
  }
  if (self.playing_ && self.player_ &&
      self.PlayedToTheEnd(reinterpret_cast<const float*>(stream), 2 * frames)) {
    fluid_player_stop(self.player_);
    self.playing_ = false;
    self.atEnd_ = true;
    if (self.notifyPending_) {
      self.notifyPending_ = false;
      self.Post(MediaNotice::Successful);
    }
  }
}

// The library's player calls a song done only when no voice sounds any more, however faint (a
// piano note left to decay lingers for 15 s below hearing), and then 2 s later still; the pause
// between two songs would be that long. The play is over once the song's last event has played
// and what is left of it, the last notes' decay and the reverberation, has died away.
bool FluidMediaDevice::PlayedToTheEnd(const float* samples, int count) {
  const int status = fluid_player_get_status(player_);
  if (status == FLUID_PLAYER_DONE) return true;
  const int lastTick = fluid_player_get_total_ticks(player_);
  if (status != FLUID_PLAYER_PLAYING || lastTick <= 0 || fluid_player_get_current_tick(player_) < lastTick) {
    quietFrames_ = 0;
    return false;
  }
  float peak = 0.0f;
  for (int i = 0; i < count; ++i) peak = std::max(peak, std::fabs(samples[i]));
  quietFrames_ = peak < quietPeak ? quietFrames_ + count / 2 : 0;
  return quietFrames_ >= quietFramesAtEnd;
}

MediaError FluidMediaDevice::StartOutput() {
  if (!synth_) {
    QuietLibrary();
    settings_ = new_fluid_settings();
    if (!settings_) return fluidNoSoundFont;
    fluid_settings_setnum(settings_, "synth.sample-rate", sampleRate);
    // Samples are read from the soundfont as notes need them, so opening stays quick.
    fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
    synth_ = new_fluid_synth(settings_);
    if (!synth_ || fluid_synth_sfload(synth_, soundFontPath_.c_str(), 1) == FLUID_FAILED) {
      if (synth_) delete_fluid_synth(synth_);
      delete_fluid_settings(settings_);
      synth_ = nullptr;
      settings_ = nullptr;
      return fluidNoSoundFont;
    }
  }
  if (audio_ != 0) return 0;

  if (!audioSubsystem_) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO | SDL_INIT_EVENTS) != 0) {
      outputError_ = SDL_GetError();
      return fluidNoAudioOutput;
    }
    audioSubsystem_ = true;
  }
  SDL_AudioSpec wanted{};
  wanted.freq = sampleRate;
  wanted.format = AUDIO_F32SYS;
  wanted.channels = 2;
  wanted.samples = bufferFrames;
  wanted.callback = &FluidMediaDevice::Render;
  wanted.userdata = this;
  SDL_AudioSpec obtained{};
  audio_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
  if (audio_ == 0) {
    outputError_ = SDL_GetError();
    return fluidNoAudioOutput;
  }
  SDL_PauseAudioDevice(audio_, 0);
  return 0;
}

MediaError FluidMediaDevice::LoadSong() {
  if (player_) {
    delete_fluid_player(player_);
    player_ = nullptr;
  }
  fluid_synth_system_reset(synth_);
  atEnd_ = false;
  player_ = new_fluid_player(synth_);
  if (!player_) return fluidPlayerFailed;
  if (fluid_player_add_mem(player_, song_.data(), song_.size()) != FLUID_OK) {
    delete_fluid_player(player_);
    player_ = nullptr;
    return fluidPlayerFailed;
  }
  return 0;
}

void FluidMediaDevice::Halt() {
  if (player_ && playing_) {
    fluid_player_stop(player_);
    fluid_synth_all_sounds_off(synth_, -1);
  }
  playing_ = false;
  if (notifyPending_) {
    notifyPending_ = false;
    Post(MediaNotice::Aborted);
  }
}

MediaError FluidMediaDevice::Open(const std::string& fileName, bool notify) {
  if (deviceId_ != 0) Close(false);
  if (const MediaError error = StartOutput()) return error;

  std::ifstream file(fileName, std::ios::binary);
  if (!file) return fluidFileUnreadable;
  std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (file.bad()) return fluidFileUnreadable;
  // The least a Standard MIDI File has: "MThd" and its 6 header bytes.
  if (bytes.size() < 14 || std::memcmp(bytes.data(), "MThd", 4) != 0) return fluidNotMidi;

  AudioLock lock(audio_);
  song_ = std::move(bytes);
  if (const MediaError error = LoadSong()) {
    song_.clear();
    return error;
  }
  deviceId_ = nextDeviceId++;
  if (deviceId_ == 0) deviceId_ = nextDeviceId++;
  if (notify) Post(MediaNotice::Successful);
  return 0;
}

MediaError FluidMediaDevice::Play(bool notify) {
  if (deviceId_ == 0) return fluidNoDevice;
  AudioLock lock(audio_);
  if (notify) {
    if (notifyPending_) Post(MediaNotice::Superseded);
    notifyPending_ = true;
  }
  if (playing_) return 0;
  if (atEnd_) {
    // Nothing is left to play: the play has reached its end at once.
    if (notifyPending_) {
      notifyPending_ = false;
      Post(MediaNotice::Successful);
    }
    return 0;
  }
  // The library's player goes on from where it was stopped.
  quietFrames_ = 0;
  if (fluid_player_play(player_) != FLUID_OK) {
    if (notifyPending_) {
      notifyPending_ = false;
      Post(MediaNotice::Failure);
    }
    return fluidPlayerFailed;
  }
  playing_ = true;
  return 0;
}

MediaError FluidMediaDevice::SeekToStart() {
  if (deviceId_ == 0) return fluidNoDevice;
  AudioLock lock(audio_);
  Halt();
  return LoadSong();
}

MediaError FluidMediaDevice::Stop(bool notify) {
  if (deviceId_ == 0) return fluidNoDevice;
  {
    AudioLock lock(audio_);
    Halt();
  }
  if (notify) Post(MediaNotice::Successful);
  return 0;
}

MediaError FluidMediaDevice::Close(bool notify) {
  if (deviceId_ == 0) return fluidNoDevice;
  {
    AudioLock lock(audio_);
    Halt();
    if (player_) {
      delete_fluid_player(player_);
      player_ = nullptr;
    }
    atEnd_ = false;
  }
  song_.clear();
  deviceId_ = 0;
  if (notify) Post(MediaNotice::Successful);
  return 0;
}

MediaMode FluidMediaDevice::Mode() {
  if (deviceId_ == 0) return MediaMode::NotOpen;
  AudioLock lock(audio_);
  return playing_ ? MediaMode::Playing : MediaMode::Stopped;
}

bool FluidMediaDevice::AtEnd() {
  if (deviceId_ == 0) return false;
  AudioLock lock(audio_);
  return atEnd_;
}

std::string FluidMediaDevice::ErrorText(MediaError error) {
  switch (error) {
    case fluidNoDevice: return "The specified device is not open.";
    // The detail goes on a line of its own: message boxes do not wrap long lines.
    case fluidNoSoundFont:
      return "The General MIDI soundfont cannot be loaded:\n" + soundFontPath_ + " (package fluid-soundfont-gm)";
    case fluidNoAudioOutput: return "There is no audio output for the music:\n" + outputError_;
    case fluidFileUnreadable: return "The MIDI file cannot be read.";
    case fluidNotMidi: return "The file is not a Standard MIDI File.";
    case fluidPlayerFailed: return "The MIDI player cannot play this file.";
    default: return "";
  }
}

std::unique_ptr<MediaDevice> NativeMediaDevice() { return std::make_unique<FluidMediaDevice>(); }

bool TranslateMediaNotice(const SDL_Event& event, Message& message) {
  if (event.type != NoticeEventType()) return false;
  message = {};
  message.kind = MessageKind::MediaNotice;
  message.mediaDevice = reinterpret_cast<std::uintptr_t>(event.user.data1);
  message.mediaNotice = event.user.code;
  return true;
}

}  // namespace wobbert::platform
