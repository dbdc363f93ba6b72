// The Linux media device for real: FluidSynth on the system's General MIDI soundfont, heard
// through SDL's dummy audio output, with its notices taken from the SDL event loop of the
// application backend. Songs are a few tenths of a second long, written here byte by byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "platform/native_application.h"
#include "platform/sdl/fluid_media_device.h"

namespace wobbert::platform {
namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;

// A format 0 file at 96 ticks per quarter and 120 beats a minute (5.2 ms a tick) of the given
// events, each a delta time in ticks and the event's bytes, then the end of the track.
struct TimedEvent {
  int delta;
  Bytes bytes;
};
Bytes Song(const std::vector<TimedEvent>& events) {
  Bytes track;
  auto time = [&track](int delta) {
    if (delta >= 128) track.push_back(static_cast<std::uint8_t>(0x80 | (delta >> 7)));
    track.push_back(static_cast<std::uint8_t>(delta & 0x7F));
  };
  for (const TimedEvent& event : events) {
    time(event.delta);
    track.insert(track.end(), event.bytes.begin(), event.bytes.end());
  }
  time(0);
  track.insert(track.end(), {0xFF, 0x2F, 0x00});
  Bytes file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96,
                'M', 'T', 'r', 'k', 0, 0, static_cast<std::uint8_t>(track.size() >> 8),
                static_cast<std::uint8_t>(track.size())};
  file.insert(file.end(), track.begin(), track.end());
  return file;
}

// A closed hi-hat struck every 24 ticks for `length` ticks, each let go 12 ticks later. What is
// left of the last stroke dies away in well under a second.
Bytes ShortSong(int length) {
  std::vector<TimedEvent> events;
  int delta = 0;
  for (int tick = 0; tick < length; tick += 24) {
    events.push_back({delta, {0x99, 0x2A, 0x64}});
    events.push_back({12, {0x89, 0x2A, 0x40}});
    delta = 12;
  }
  return Song(events);
}

class FluidMediaDeviceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
  }
  void SetUp() override {
    directory = std::filesystem::temp_directory_path() / ("wobbert-fluid-" + std::to_string(getpid()));
    std::filesystem::create_directories(directory);
    auto opened = OpenNativeApplication();
    ASSERT_TRUE(opened) << opened.ErrorMessage();
    application = std::move(opened).Value();
  }
  void TearDown() override {
    application.reset();
    std::filesystem::remove_all(directory);
  }

  std::string Write(const std::string& name, const Bytes& bytes) {
    const auto path = directory / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }
  // The next notice from the application's queue, or none within `limit`.
  std::optional<Message> NextNotice(std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    while (Clock::now() < deadline) {
      Message message;
      if (application->NextMessage(message, false) && message.kind == MessageKind::MediaNotice) return message;
      SDL_Delay(5);
    }
    return std::nullopt;
  }
  static int Value(MediaNotice notice) { return static_cast<int>(notice); }

  std::filesystem::path directory;
  std::unique_ptr<NativeApplication> application;
};

TEST_F(FluidMediaDeviceTest, APlayThatReachesTheEndReportsSuccessfulAndRewindsToPlayAgain) {
  FluidMediaDevice device;
  const std::string song = Write("short.mid", ShortSong(60));  // 0.3 s
  const auto opening = Clock::now();
  ASSERT_EQ(device.Open(song, false), 0u) << device.ErrorText(device.Open(song, false));
  EXPECT_LT(Clock::now() - opening, std::chrono::seconds(5));
  EXPECT_NE(device.DeviceId(), 0u);
  EXPECT_EQ(device.Mode(), MediaMode::Stopped);

  const auto start = Clock::now();
  ASSERT_EQ(device.Play(true), 0u);
  EXPECT_EQ(device.Mode(), MediaMode::Playing);
  const auto notice = NextNotice(std::chrono::seconds(5));
  ASSERT_TRUE(notice);
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(200));  // it did play in real time
  EXPECT_EQ(notice->mediaDevice, device.NoticeKey());
  EXPECT_EQ(notice->mediaNotice, Value(MediaNotice::Successful));
  EXPECT_EQ(device.Mode(), MediaMode::Stopped);
  EXPECT_TRUE(device.AtEnd());

  ASSERT_EQ(device.SeekToStart(), 0u);
  EXPECT_FALSE(device.AtEnd());
  ASSERT_EQ(device.Play(true), 0u);
  const auto again = NextNotice(std::chrono::seconds(5));
  ASSERT_TRUE(again);
  EXPECT_EQ(again->mediaNotice, Value(MediaNotice::Successful));
  EXPECT_EQ(device.Close(false), 0u);
  EXPECT_EQ(device.DeviceId(), 0u);
  EXPECT_EQ(device.Mode(), MediaMode::NotOpen);
}

TEST_F(FluidMediaDeviceTest, StopAbortsAndTheSongPlaysOnFromWhereItStopped) {
  FluidMediaDevice device;
  const std::string song = Write("long.mid", ShortSong(384));  // 2 s, and the last stroke's decay
  ASSERT_EQ(device.Open(song, false), 0u);
  ASSERT_EQ(device.Play(true), 0u);
  SDL_Delay(1500);
  ASSERT_EQ(device.Mode(), MediaMode::Playing);
  ASSERT_EQ(device.Stop(false), 0u);
  const auto stopped = NextNotice(std::chrono::seconds(1));
  ASSERT_TRUE(stopped);
  EXPECT_EQ(stopped->mediaNotice, Value(MediaNotice::Aborted));
  EXPECT_EQ(device.Mode(), MediaMode::Stopped);
  EXPECT_FALSE(device.AtEnd());
  EXPECT_FALSE(NextNotice(std::chrono::milliseconds(300)));  // a stopped song does not end

  const auto start = Clock::now();
  ASSERT_EQ(device.Play(true), 0u);
  const auto ended = NextNotice(std::chrono::seconds(6));
  ASSERT_TRUE(ended);
  EXPECT_EQ(ended->mediaNotice, Value(MediaNotice::Successful));
  // Only the rest was left to play (0.5 s and the decay, about 1.2 s), not the whole song (2.7 s).
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(2300));
}

// The end of a play is the end of what is heard: not a silence on the way, and not the seconds
// the library's player waits on after the sound has died away.
TEST_F(FluidMediaDeviceTest, APlayEndsWhenItsLastStrokeHasDiedAwayNotAtARestOnTheWay) {
  FluidMediaDevice device;
  // A stroke, a rest of 1 s, a second stroke: the last event comes after 1.1 s.
  const std::string song = Write("rest.mid", Song({{0, {0x99, 0x2A, 0x64}},
                                                   {12, {0x89, 0x2A, 0x40}},
                                                   {192, {0x99, 0x2A, 0x64}},
                                                   {12, {0x89, 0x2A, 0x40}}}));
  ASSERT_EQ(device.Open(song, false), 0u);
  const auto start = Clock::now();
  ASSERT_EQ(device.Play(true), 0u);
  const auto notice = NextNotice(std::chrono::seconds(6));
  ASSERT_TRUE(notice);
  const auto took = Clock::now() - start;
  EXPECT_EQ(notice->mediaNotice, Value(MediaNotice::Successful));
  EXPECT_GE(took, std::chrono::milliseconds(1100)) << "the play ended in its rest";
  // The stroke dies away within about 0.7 s; the library alone would report 2.7 s after it.
  EXPECT_LT(took, std::chrono::milliseconds(2500)) << "the play ran on after its sound";
  EXPECT_TRUE(device.AtEnd());
}

// Heard through SDL's disk output, closed as soon as the end is reported: the recording holds the
// whole of the last chord, its decay included, and ends in silence.
TEST_F(FluidMediaDeviceTest, TheLastChordIsHeardToItsEnd) {
  const std::string recording = (directory / "audio.raw").string();
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", recording.c_str(), 1);
  auto device = std::make_unique<FluidMediaDevice>();
  // A piano's C major chord, let go after 60 ticks (0.31 s).
  const std::string song = Write("chord.mid", Song({{0, {0xC0, 0x00}},
                                                    {0, {0x90, 0x3C, 0x64}},
                                                    {0, {0x90, 0x40, 0x64}},
                                                    {0, {0x90, 0x43, 0x64}},
                                                    {60, {0x80, 0x3C, 0x40}},
                                                    {0, {0x80, 0x40, 0x40}},
                                                    {0, {0x80, 0x43, 0x40}}}));
  const MediaError opened = device->Open(song, false);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  ASSERT_EQ(opened, 0u) << device->ErrorText(opened);
  ASSERT_EQ(device->Play(true), 0u);
  const auto notice = NextNotice(std::chrono::seconds(6));
  device.reset();  // the output closes and the recording is complete
  ASSERT_TRUE(notice);
  EXPECT_EQ(notice->mediaNotice, Value(MediaNotice::Successful));

  std::ifstream file(recording, std::ios::binary);
  std::vector<float> samples;  // interleaved stereo at 44.1 kHz
  for (float sample = 0; file.read(reinterpret_cast<char*>(&sample), sizeof sample);) samples.push_back(sample);
  constexpr std::size_t second = 2 * 44100;
  ASSERT_GT(samples.size(), second / 2);
  auto peak = [&](std::size_t from, std::size_t to) {
    float loudest = 0;
    for (std::size_t i = from; i < to; ++i) loudest = std::max(loudest, std::abs(samples[i]));
    return loudest;
  };
  EXPECT_GT(peak(0, second / 4), 0.01f) << "the chord was not heard";
  // Still sounding after it was let go: its decay is part of the play.
  EXPECT_GT(peak(second * 35 / 100, second * 45 / 100), 1e-3f);
  // The last 0.1 s before the end: nothing that could be heard is left.
  EXPECT_LT(peak(samples.size() - second / 10, samples.size()), 1e-4f) << "the chord was cut off";
  // And the end came soon after that: less than 2.5 s of recording (the library alone: 3.2 s).
  EXPECT_LT(samples.size(), second * 5 / 2);
}

TEST_F(FluidMediaDeviceTest, ClosingOrReplacingAPlayAbortsItAndNoticesKeepTheirOrder) {
  FluidMediaDevice device;
  const std::string song = Write("long.mid", ShortSong(384));
  ASSERT_EQ(device.Open(song, true), 0u);
  ASSERT_EQ(device.Play(true), 0u);
  ASSERT_EQ(device.Play(true), 0u);  // the first play's notice is superseded
  ASSERT_EQ(device.Close(true), 0u);
  std::vector<int> notices;
  while (auto notice = NextNotice(std::chrono::milliseconds(300))) notices.push_back(notice->mediaNotice);
  EXPECT_EQ(notices, (std::vector<int>{Value(MediaNotice::Successful), Value(MediaNotice::Superseded),
                                       Value(MediaNotice::Aborted), Value(MediaNotice::Successful)}));
}

TEST_F(FluidMediaDeviceTest, MissingSoundFontAndFilesThatAreNotMidiAreErrorsOfOpen) {
  FluidMediaDevice missing((directory / "none.sf2").string());
  const MediaError error = missing.Open(Write("short.mid", ShortSong(10)), false);
  EXPECT_EQ(error, fluidNoSoundFont);
  EXPECT_NE(missing.ErrorText(error).find("none.sf2"), std::string::npos);
  EXPECT_EQ(missing.DeviceId(), 0u);

  FluidMediaDevice device;
  for (const Bytes& bytes : {Bytes{}, Bytes{'M', 'T', 'h', 'd'}, Bytes(200, 'x')}) {
    const MediaError notMidi = device.Open(Write("bad.mid", bytes), false);
    EXPECT_EQ(notMidi, fluidNotMidi);
    EXPECT_FALSE(device.ErrorText(notMidi).empty());
  }
  EXPECT_EQ(device.Open((directory / "absent.mid").string(), false), fluidFileUnreadable);
  EXPECT_EQ(device.DeviceId(), 0u);
  EXPECT_EQ(device.ErrorText(9999), "");
}

}  // namespace
}  // namespace wobbert::platform
