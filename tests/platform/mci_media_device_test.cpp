// The Windows media device for real, under Wine in the tests: MCI opens and closes a short MIDI
// file, and the completion notices it posts to the device's own window reach the application's
// message loop as MediaNotice messages with the device's key. (Wine here has no MIDI output, so
// a play never ends; the commands that finish at once carry the notices.)
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <optional>
#include <vector>

#include "platform/native_application.h"
#include "platform/win32/mci_media_device.h"

namespace wobbert::platform {
namespace {

using Clock = std::chrono::steady_clock;

std::string ShortSongFile() {
  char directory[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, directory);
  const std::string path = std::string(directory) + "wobbert-mci-test.mid";
  const std::vector<std::uint8_t> bytes = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96,
                                           'M', 'T', 'r', 'k', 0, 0, 0, 12,
                                           0x00, 0x90, 0x3C, 0x64, 0x30, 0x80, 0x3C, 0x40,
                                           0x00, 0xFF, 0x2F, 0x00};
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  return path;
}

std::optional<Message> NextNotice(NativeApplication& application) {
  const auto deadline = Clock::now() + std::chrono::seconds(3);
  while (Clock::now() < deadline) {
    Message message;
    if (application.NextMessage(message, false) && message.kind == MessageKind::MediaNotice) return message;
    Sleep(5);
  }
  return std::nullopt;
}

TEST(MciMediaDeviceTest, NoticesOfOpenAndCloseReachTheLoopWithTheDevicesKey) {
  auto opened = OpenNativeApplication();
  ASSERT_TRUE(opened) << opened.ErrorMessage();
  auto application = std::move(opened).Value();
  MciMediaDevice device;
  ASSERT_NE(device.NoticeKey(), 0u);

  const MediaError error = device.Open(ShortSongFile(), true);
  ASSERT_EQ(error, 0u) << device.ErrorText(error);
  EXPECT_NE(device.DeviceId(), 0u);
  EXPECT_NE(device.Mode(), MediaMode::NotOpen);
  const auto opening = NextNotice(*application);
  ASSERT_TRUE(opening);
  EXPECT_EQ(opening->mediaDevice, device.NoticeKey());
  EXPECT_EQ(opening->mediaNotice, static_cast<int>(MediaNotice::Successful));

  ASSERT_EQ(device.Close(true), 0u);
  EXPECT_EQ(device.DeviceId(), 0u);
  EXPECT_EQ(device.Mode(), MediaMode::NotOpen);
  const auto closing = NextNotice(*application);
  ASSERT_TRUE(closing);
  EXPECT_EQ(closing->mediaDevice, device.NoticeKey());
  EXPECT_EQ(closing->mediaNotice, static_cast<int>(MediaNotice::Successful));
}

TEST(MciMediaDeviceTest, AFileThatIsNotThereIsAnErrorWithTheSystemsText) {
  MciMediaDevice device;
  const MediaError error = device.Open("C:\\wobbert\\no such folder\\tmp.mid", false);
  EXPECT_NE(error, 0u);
  EXPECT_FALSE(device.ErrorText(error).empty());
  EXPECT_EQ(device.DeviceId(), 0u);
  EXPECT_EQ(device.ErrorText(0xFFFF0), "");
}

}  // namespace
}  // namespace wobbert::platform
