// The media player on a fake device: the one-shot notify request, the errors, AutoRewind, and
// completion notices that arrive through the message loop only.
#include <gtest/gtest.h>

#include <memory>

#include "fakes/fake_media_device.h"
#include "fakes/fake_native_application.h"
#include "framework/application.h"
#include "player/device_media_player.h"

namespace wobbert {
namespace {

using framework::application;
using player::NotifyValue;
using Calls = std::vector<std::string>;

class MediaPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto fake = std::make_unique<fakes::FakeNativeApplication>(windowCalls);
    native = fake.get();
    application.Initialize(std::move(fake), "wobbert");
    auto owned = std::make_unique<fakes::FakeMediaDevice>(
        state, [this](const platform::Message& message) { native->Post(message); });
    device = owned.get();
    mediaPlayer = std::make_unique<player::DeviceMediaPlayer>(std::move(owned));
    mediaPlayer->SetFileName("/tmp/song.mid");
    mediaPlayer->SetOnNotify([this] { results.push_back(mediaPlayer->NotifyResult()); });
  }
  void TearDown() override {
    mediaPlayer.reset();
    application.Finalize();
  }

  // The commands the device got since the last look.
  Calls Take() { return std::exchange(state.calls, {}); }
  void Deliver() { application.ProcessMessages(); }

  Calls windowCalls;
  fakes::FakeNativeApplication* native = nullptr;
  fakes::FakeMediaDeviceState state;
  fakes::FakeMediaDevice* device = nullptr;
  std::unique_ptr<player::DeviceMediaPlayer> mediaPlayer;
  std::vector<NotifyValue> results;
};

TEST_F(MediaPlayerTest, TheNotifyRequestHoldsForTheNextCommandOnlyAndPlayReportsByDefault) {
  mediaPlayer->Open();
  mediaPlayer->Play();
  mediaPlayer->Stop();
  mediaPlayer->Close();
  EXPECT_EQ(Take(), (Calls{"Open", "Play(notify)", "Stop", "Close"}));

  mediaPlayer->RequestNotify(true);
  mediaPlayer->Open();
  mediaPlayer->Stop();  // the request was used up by Open
  mediaPlayer->RequestNotify(false);
  mediaPlayer->Play();
  mediaPlayer->Play();  // back to the default
  mediaPlayer->RequestNotify(true);
  mediaPlayer->IsPlaying();  // a query leaves the request
  mediaPlayer->Close();
  EXPECT_EQ(Take(), (Calls{"Open(notify)", "Stop", "Play", "Play(notify)", "Close(notify)"}));
}

TEST_F(MediaPlayerTest, WithoutADevicePlayAndStopRaiseAndCloseDoesNothing) {
  try {
    mediaPlayer->Play();
    FAIL() << "Play raised nothing";
  } catch (const player::MediaPlayerError& error) {
    EXPECT_STREQ(error.what(), "No MCI device open");
  }
  EXPECT_THROW(mediaPlayer->Stop(), player::MediaPlayerError);
  mediaPlayer->RequestNotify(true);
  mediaPlayer->Close();
  EXPECT_TRUE(Take().empty());
  // The request survived all three: the next command that runs takes it.
  mediaPlayer->Open();
  EXPECT_EQ(Take(), (Calls{"Open(notify)"}));
}

TEST_F(MediaPlayerTest, OpenRaisesTheDevicesTextOrUnknownErrorCode) {
  state.openError = 263;
  state.errorText = "The specified device is not open or is not recognized by MCI.";
  try {
    mediaPlayer->Open();
    FAIL() << "Open raised nothing";
  } catch (const player::MediaPlayerError& error) {
    EXPECT_EQ(std::string(error.what()), state.errorText);
  }
  EXPECT_EQ(mediaPlayer->DeviceId(), 0u);
  state.errorText.clear();
  try {
    mediaPlayer->Open();
    FAIL() << "Open raised nothing";
  } catch (const player::MediaPlayerError& error) {
    EXPECT_STREQ(error.what(), "Unknown error code");
  }
}

TEST_F(MediaPlayerTest, OpenClosesTheOpenSongFirstWhichAbortsItsPlay) {
  mediaPlayer->Open();
  const std::uint32_t first = mediaPlayer->DeviceId();
  mediaPlayer->Play();
  EXPECT_TRUE(mediaPlayer->IsPlaying());
  Take();
  mediaPlayer->Open();
  EXPECT_EQ(Take(), (Calls{"Close", "Open"}));
  EXPECT_NE(mediaPlayer->DeviceId(), first);
  EXPECT_FALSE(mediaPlayer->IsPlaying());
  Deliver();
  EXPECT_EQ(results, (std::vector<NotifyValue>{NotifyValue::Aborted}));
}

TEST_F(MediaPlayerTest, AutoRewindStartsASongAtItsEndFromTheStart) {
  mediaPlayer->Open();
  mediaPlayer->Play();
  mediaPlayer->Stop();
  mediaPlayer->Play();  // stopped in the middle: plays on, no rewind
  device->ReachEnd();
  mediaPlayer->Play();
  EXPECT_EQ(Take(), (Calls{"Open", "Play(notify)", "Stop", "Play(notify)", "SeekToStart", "Play(notify)"}));
  EXPECT_TRUE(mediaPlayer->IsPlaying());

  device->ReachEnd();
  mediaPlayer->SetAutoRewind(false);
  mediaPlayer->Play();
  EXPECT_EQ(Take(), (Calls{"Play(notify)"}));
  EXPECT_FALSE(mediaPlayer->IsPlaying());
}

TEST_F(MediaPlayerTest, NoticesArriveThroughTheMessageLoopWithTheirResult) {
  mediaPlayer->Open();
  mediaPlayer->Play();
  device->ReachEnd();
  EXPECT_TRUE(results.empty());  // nothing is called from the device's side
  Deliver();
  EXPECT_EQ(results, (std::vector<NotifyValue>{NotifyValue::Successful}));

  results.clear();
  mediaPlayer->Play();
  mediaPlayer->Play();  // replaces the first play's notice
  mediaPlayer->Stop();
  device->PostValue(8);
  device->PostValue(12345);  // not a value the system sends: a failure
  Deliver();
  EXPECT_EQ(results, (std::vector<NotifyValue>{NotifyValue::Superseded, NotifyValue::Aborted,
                                               NotifyValue::Failure, NotifyValue::Failure}));
  EXPECT_EQ(mediaPlayer->NotifyResult(), NotifyValue::Failure);
}

TEST_F(MediaPlayerTest, AStoppedOrClosedPlayNeverReportsSuccess) {
  mediaPlayer->Open();
  mediaPlayer->Play();
  mediaPlayer->RequestNotify(false);
  mediaPlayer->Stop();
  mediaPlayer->Play();
  mediaPlayer->Close();
  device->ReachEnd();
  Deliver();
  EXPECT_EQ(results, (std::vector<NotifyValue>{NotifyValue::Aborted, NotifyValue::Aborted}));
  EXPECT_EQ(mediaPlayer->DeviceId(), 0u);
  EXPECT_FALSE(mediaPlayer->IsPlaying());
}

TEST_F(MediaPlayerTest, DestroyingThePlayerClosesItsDeviceAndDropsLateNotices) {
  mediaPlayer->Open();
  mediaPlayer->Play();
  device->ReachEnd();  // queued, not yet delivered
  Take();
  mediaPlayer.reset();
  EXPECT_EQ(Take(), (Calls{"Close", "Destroyed"}));
  Deliver();
  EXPECT_TRUE(results.empty());
}

}  // namespace
}  // namespace wobbert
