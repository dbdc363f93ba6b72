// The saver playlist on the real song catalogue and a fake media device: which songs follow
// which, what each notice does, the tick's keep-alive, the stop on close, and how failures turn
// the music off (reported once where they are errors).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#endif

#include "fakes/fake_media_device.h"
#include "fakes/program_fixture.h"
#include "midi/song_catalogue.h"
#include "player/device_media_player.h"
#include "toolkit/random.h"
#include "wb_cfg/settings.h"
#include "wb_main/mainscreen.h"
#include "wb_main/saver_playlist.h"

namespace wobbert {
namespace {

using framework::application;
using Calls = std::vector<std::string>;

class SaverPlaylistTest : public fakes::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    directory = std::filesystem::temp_directory_path() /
                ("wobbert-playlist-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(directory);
    system.temporaryDirectory = (directory / "").string();  // ends in the system's separator
    settings = Settings{};
    settings.sound = "Yes";
    randomSeed = 20261208;
    ResetPlaylist();
    platform::InstallMediaDeviceFactory([this] {
      auto device = std::make_unique<fakes::FakeMediaDevice>(
          state, [this](const platform::Message& message) { native->Post(message); });
      devices.push_back(device.get());
      return device;
    });
    mediaPlayer = std::make_unique<player::DeviceMediaPlayer>(platform::CreateMediaDevice());
    mediaPlayer->SetOnNotify([this] { MediaPlayer1Notify(*mediaPlayer); });
  }
  void TearDown() override {
    mediaPlayer.reset();
    platform::InstallMediaDeviceFactory(nullptr);
    ProgramTest::TearDown();
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
  }

  void Pick(std::initializer_list<std::size_t> songs) {
    settings.songPicked.fill(0);
    for (std::size_t song : songs) settings.songPicked[song] = 1;
  }
  fakes::FakeMediaDevice& Device() { return *devices.front(); }
  Calls Take() { return std::exchange(state.calls, {}); }
  void Deliver() { application.ProcessMessages(); }
  // The playing song ends and its notice goes through the loop; gives the song that follows.
  int EndSong() {
    Device().ReachEnd();
    Deliver();
    return PreviousSong;
  }
  std::vector<std::uint8_t> SongFile() const {
    std::ifstream file(directory / "tmp.mid", std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }
  // The song file holds the song the playlist chose, and the player has it open and playing.
  void ExpectPlaying(int song) {
    ASSERT_LT(song, 47);
    const auto payload = SongPayloads[song].Bytes();
    EXPECT_TRUE(std::ranges::equal(SongFile(), payload)) << "song " << song;
    EXPECT_EQ(state.openedFile, (directory / "tmp.mid").string());
    EXPECT_TRUE(mediaPlayer->IsPlaying());
  }

  std::filesystem::path directory;
  fakes::FakeMediaDeviceState state;
  std::vector<fakes::FakeMediaDevice*> devices;
  std::unique_ptr<player::DeviceMediaPlayer> mediaPlayer;
};

TEST_F(SaverPlaylistTest, ASinglePickedSongFollowsItselfAtTheFirstAndTheLastIndex) {
  for (std::size_t song : {std::size_t{0}, std::size_t{46}}) {
    mediaPlayer->RequestNotify(false);
    mediaPlayer->Close();
    Deliver();
    Take();
    Pick({song});
    PlayNextSong(*mediaPlayer);
    ExpectPlaying(static_cast<int>(song));
    // The open sends no notice and the play one; the request after it is for the next command.
    EXPECT_EQ(Take(), (Calls{"Open", "Play(notify)"}));
    for (int end = 0; end < 3; ++end) {
      EXPECT_EQ(EndSong(), static_cast<int>(song));
      ExpectPlaying(static_cast<int>(song));
      EXPECT_EQ(Take(), (Calls{"Stop", "Close", "Open", "Play(notify)"}));
    }
  }
}

TEST_F(SaverPlaylistTest, TwoPickedSongsAlternateStrictly) {
  Pick({3, 40});
  PlayNextSong(*mediaPlayer);
  int previous = PreviousSong;
  ASSERT_TRUE(previous == 3 || previous == 40);
  for (int end = 0; end < 20; ++end) {
    const int next = EndSong();
    EXPECT_EQ(next, previous == 3 ? 40 : 3);
    previous = next;
  }
  ExpectPlaying(previous);
}

TEST_F(SaverPlaylistTest, WithAllPickedNoSongFollowsItselfAndAllComeUp) {
  settings.songPicked.fill(1);
  PlayNextSong(*mediaPlayer);
  std::set<int> heard{PreviousSong};
  int previous = PreviousSong;
  for (int end = 0; end < 400; ++end) {
    const int next = EndSong();
    ASSERT_NE(next, previous);
    heard.insert(next);
    previous = next;
  }
  EXPECT_EQ(heard.size(), 47u);
  // After a reset the song of the previous showing may come first again.
  ResetPlaylist();
  EXPECT_EQ(PreviousSong, noSong);
}

TEST_F(SaverPlaylistTest, NothingPickedTurnsTheSoundOffWithoutTouchingFileOrPlayer) {
  Pick({});
  PlayNextSong(*mediaPlayer);
  EXPECT_EQ(settings.sound, "No");
  EXPECT_TRUE(Take().empty());
  EXPECT_FALSE(std::filesystem::exists(directory / "tmp.mid"));
  EXPECT_TRUE(system.messageBoxes.empty());
}

TEST_F(SaverPlaylistTest, AnUncreatableSongFileTurnsTheSoundOffAndThePlayingSongGoesOn) {
  Pick({5, 6});
  PlayNextSong(*mediaPlayer);
  Take();
  system.temporaryDirectory = (directory / "missing" / "").string();
  PlayNextSong(*mediaPlayer);
  EXPECT_EQ(settings.sound, "No");
  EXPECT_TRUE(Take().empty());
  EXPECT_TRUE(mediaPlayer->IsPlaying());
  EXPECT_TRUE(system.messageBoxes.empty());
  // Its successful end still chooses the next song, which can succeed again.
  system.temporaryDirectory = directory.string() + "/";
  const int before = PreviousSong;
  EXPECT_NE(EndSong(), before);
  EXPECT_TRUE(mediaPlayer->IsPlaying());
  EXPECT_EQ(settings.sound, "No");
}

TEST_F(SaverPlaylistTest, ARepaintWhilePlayingCutsTheSongOffForAnotherOne) {
  Pick({1, 2});
  PlayNextSong(*mediaPlayer);
  const int first = PreviousSong;
  Take();
  PlayNextSong(*mediaPlayer);
  EXPECT_NE(PreviousSong, first);
  EXPECT_EQ(Take(), (Calls{"Close", "Open", "Play(notify)"}));
  ExpectPlaying(PreviousSong);
  // The cut-off song's notice says aborted: it chooses nothing.
  Deliver();
  EXPECT_TRUE(Take().empty());
}

TEST_F(SaverPlaylistTest, NoticesThatAreNotASuccessfulEndOrComeAfterCloseChooseNothing) {
  Pick({8, 9, 10});
  PlayNextSong(*mediaPlayer);
  const int song = PreviousSong;
  Take();
  for (auto notice : {platform::MediaNotice::Aborted, platform::MediaNotice::Superseded,
                      platform::MediaNotice::Failure}) {
    Device().Post(notice);
  }
  Deliver();
  EXPECT_TRUE(Take().empty());
  closing = true;
  EndSong();
  EXPECT_TRUE(Take().empty());
  EXPECT_EQ(PreviousSong, song);
}

TEST_F(SaverPlaylistTest, TheTickPlaysAHaltedSongOnAndItsQueuedEndStillMovesOn) {
  Pick({20, 21});
  PlayNextSong(*mediaPlayer);
  const int first = PreviousSong;
  Device().ReachEnd();  // its notice is queued, not yet delivered
  Take();
  KeepMusicPlaying(*mediaPlayer);
  EXPECT_EQ(Take(), (Calls{"SeekToStart", "Play(notify)"}));
  // The queued end stops the replay (whose own notice then says aborted) and moves on, once.
  Deliver();
  EXPECT_EQ(Take(), (Calls{"Stop", "Close", "Open", "Play(notify)"}));
  EXPECT_NE(PreviousSong, first);
  ExpectPlaying(PreviousSong);
}

TEST_F(SaverPlaylistTest, TheTickLeavesThePlayerAloneWhenClosingSilentOrWithoutASong) {
  Pick({30});
  KeepMusicPlaying(*mediaPlayer);  // nothing open
  PlayNextSong(*mediaPlayer);
  mediaPlayer->Stop();
  Take();
  settings.sound = "yes";  // only exactly "Yes" counts
  KeepMusicPlaying(*mediaPlayer);
  settings.sound = "Yes";
  closing = true;
  KeepMusicPlaying(*mediaPlayer);
  EXPECT_TRUE(Take().empty());
  closing = false;
  KeepMusicPlaying(*mediaPlayer);
  EXPECT_EQ(Take(), (Calls{"Play(notify)"}));
}

TEST_F(SaverPlaylistTest, StoppingOnCloseEndsAPlayingSongSilentlyAndLeavesAHaltedOneOpen) {
  Pick({11, 12});
  PlayNextSong(*mediaPlayer);
  Take();
  closing = true;
  StopMusic(*mediaPlayer);
  EXPECT_EQ(Take(), (Calls{"Stop", "Close"}));
  Deliver();
  EXPECT_TRUE(Take().empty());

  closing = false;
  PlayNextSong(*mediaPlayer);
  mediaPlayer->Stop();
  Take();
  StopMusic(*mediaPlayer);
  EXPECT_TRUE(Take().empty());
  EXPECT_NE(mediaPlayer->DeviceId(), 0u);
}

TEST_F(SaverPlaylistTest, ADeviceErrorIsReportedOnceAndTurnsTheSoundOff) {
  Pick({13, 14});
  state.openError = 275;
  state.errorText = "Cannot find the specified file.";
  PlayNextSong(*mediaPlayer);
  ASSERT_EQ(system.messageBoxes.size(), 1u);
  EXPECT_EQ(system.messageBoxes[0].second, "Cannot find the specified file.");
  EXPECT_EQ(settings.sound, "No");
  EXPECT_NE(PreviousSong, noSong);
}

TEST_F(SaverPlaylistTest, ASongsEndQueuedBehindAFailedOpenIsNotASecondReport) {
  Pick({18, 19});
  PlayNextSong(*mediaPlayer);
  Device().ReachEnd();  // the end is queued
  state.openError = 263;
  state.errorText = "The specified device is not open or is not recognized by MCI.";
  PlayNextSong(*mediaPlayer);  // a repaint: the open fails and the ended song is closed
  Deliver();
  EXPECT_EQ(system.messageBoxes.size(), 1u);
  EXPECT_EQ(settings.sound, "No");
  EXPECT_EQ(mediaPlayer->DeviceId(), 0u);
}

#ifndef _WIN32
TEST_F(SaverPlaylistTest, AWriteErrorAfterCreationIsReportedOnceAndTurnsTheSoundOff) {
  Pick({44});  // 65,311 bytes: more than the file may grow to below
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 1000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  PlayNextSong(*mediaPlayer);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previousHandler);
  EXPECT_EQ(system.messageBoxes.size(), 1u);
  EXPECT_EQ(settings.sound, "No");
  EXPECT_TRUE(Take().empty());  // the player never opened the short file
}
#endif

// Through the saver window: the paint that fails reports once, and the paints after it build
// and draw the forest without music.
class SaverMusicTest : public SaverPlaylistTest {
 protected:
  void SetUp() override {
    SaverPlaylistTest::SetUp();
    mediaPlayer.reset();
    devices.clear();
    Tmainscreen& form = application.CreateForm<Tmainscreen>();
    mainscreen = &form;
    window = native->windows.back();
    form.Show();
  }
  void Paint() {
    platform::Message message;
    message.kind = platform::MessageKind::Paint;
    message.window = window;
    native->Post(message);
    Deliver();
  }
  fakes::FakeWindow* window = nullptr;
};

TEST_F(SaverMusicTest, EveryPaintStartsASongAndTheWindowsPlayerHearsItsEnd) {
  Pick({15, 16});
  Paint();
  const int first = PreviousSong;
  ASSERT_NE(first, noSong);
  EXPECT_TRUE(mainscreen->MediaPlayer1->IsPlaying());
  EXPECT_TRUE(mainscreen->Timer1.Enabled());
  Paint();
  EXPECT_NE(PreviousSong, first);
  Device().ReachEnd();
  Deliver();
  EXPECT_EQ(PreviousSong, first);
  EXPECT_TRUE(mainscreen->MediaPlayer1->IsPlaying());
}

TEST_F(SaverMusicTest, AnOpenErrorOnPaintIsReportedOnceAndTheForestStillComes) {
  Pick({17});
  state.openError = 263;
  state.errorText = "The specified device is not open or is not recognized by MCI.";
  Paint();
  Paint();
  Paint();
  ASSERT_EQ(system.messageBoxes.size(), 1u);
  EXPECT_EQ(system.messageBoxes[0].second, state.errorText);
  EXPECT_EQ(settings.sound, "No");
  EXPECT_FALSE(sceneBuildPending);
  EXPECT_TRUE(mainscreen->Timer1.Enabled());
}

}  // namespace
}  // namespace wobbert
