// The Linux media device for real: FluidSynth on the system's General MIDI soundfont, heard
// through SDL's dummy audio output, with its notices taken from the SDL event loop of the
// application backend. Songs are a few tenths of a second long, written here byte by byte.
#include <gtest/gtest.h>

#include <chrono>
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

// A format 0 file at 96 ticks per quarter and 120 beats a minute (5.2 ms a tick): a closed
// hi-hat struck every 24 ticks for `length` ticks, each let go 12 ticks later, then the end.
// The library lets a song ring on for 2 seconds after its last event before it calls it done.
Bytes ShortSong(int length) {
  Bytes track;
  int delta = 0;
  for (int tick = 0; tick < length; tick += 24) {
    track.insert(track.end(), {static_cast<std::uint8_t>(delta), 0x99, 0x2A, 0x64});
    track.insert(track.end(), {12, 0x89, 0x2A, 0x40});
    delta = 12;
  }
  track.insert(track.end(), {static_cast<std::uint8_t>(delta), 0xFF, 0x2F, 0x00});
  Bytes file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96,
                'M', 'T', 'r', 'k', 0, 0, static_cast<std::uint8_t>(track.size() >> 8),
                static_cast<std::uint8_t>(track.size())};
  file.insert(file.end(), track.begin(), track.end());
  return file;
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
  const std::string song = Write("long.mid", ShortSong(384));  // 2 s, then 2 s of ringing
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
  // Only the rest was left to play (0.5 s and the ringing), not the whole song (4 s).
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(3800));
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
