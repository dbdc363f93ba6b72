// The saver window against the fakes: geometry and cursor on show, the 5-pixel rule, which
// inputs end the saver, the password check, and what closing and hiding undo.
#include <gtest/gtest.h>

#include "fakes/fake_media_player.h"
#include "fakes/program_fixture.h"
#include "framework/application.h"
#include "wb_main/mainscreen.h"

namespace wobbert {
namespace {

using framework::application;
using platform::MessageKind;

class MainscreenTest : public fakes::ProgramTest {
 protected:
  // The saver window as the main window, shown and painted once.
  Tmainscreen& ShowSaver() {
    Tmainscreen& form = application.CreateForm<Tmainscreen>();
    mainscreen = &form;
    window = native->windows.back();
    form.Show();
    return form;
  }
  // Runs the loop over the queued messages; true when the saver ended the application.
  bool RunQueued() {
    while (!application.Terminated() && application.HandleMessage(true)) {
    }
    const bool ended = application.Terminated() && !native->ranDry;
    return ended;
  }
  void Post(MessageKind kind, int x = 0, int y = 0) { native->Post(MessageFor(kind, window, x, y)); }

  fakes::FakeWindow* window = nullptr;
};

TEST_F(MainscreenTest, ShowCoversTheScreenHidesTheCursorOnceAndWatchesInput) {
  system.screenSize = {800, 600};
  Tmainscreen& form = ShowSaver();
  EXPECT_EQ(viewWidth, 800);
  EXPECT_EQ(viewHeight, 600);
  EXPECT_EQ(window->Bounds(), (Rectangle{0, 0, 800, 600}));
  EXPECT_TRUE(window->borderless);
  EXPECT_TRUE(window->stayOnTop);
  EXPECT_EQ(startCursor, (platform::Point{100, 200}));
  EXPECT_TRUE(application.HasMessageFilter());
  EXPECT_EQ(Count("ShowCursor(false)"), 1);
  EXPECT_EQ(system.showCount, -1);
  // Sized and set up before it appears.
  EXPECT_LT(IndexOf("ShowCursor(false)"), IndexOf("Window.Show"));
  EXPECT_FALSE(form.Timer1.Enabled());
  EXPECT_EQ(form.Timer1.Interval(), 40);
}

TEST_F(MainscreenTest, PaintCoversTheWindowInBlack) {
  ShowSaver();
  window->backBuffer.SetPixel(3, 4, Rgb(255, 255, 255));
  Post(MessageKind::Paint);
  RunQueued();
  EXPECT_EQ(window->backBuffer.Width(), 640);
  for (auto [x, y] : {std::pair{0, 0}, {3, 4}, {639, 479}, {320, 0}})
    EXPECT_EQ(window->backBuffer.Pixel(x, y), Rgb(0, 0, 0)) << x << "," << y;
}

struct Move {
  int dx, dy;
  bool ends;
};

class CursorToleranceTest : public MainscreenTest, public ::testing::WithParamInterface<Move> {};

TEST_P(CursorToleranceTest, MovesOfMoreThanFivePixelsInEitherAxisEndTheSaver) {
  ShowSaver();
  Post(MessageKind::MouseMove, startCursor.x + GetParam().dx, startCursor.y + GetParam().dy);
  EXPECT_EQ(RunQueued(), GetParam().ends);
}

INSTANTIATE_TEST_SUITE_P(FivePixelRule, CursorToleranceTest,
                         ::testing::Values(Move{0, 0, false}, Move{5, 5, false}, Move{-5, -5, false},
                                           Move{5, -5, false}, Move{6, 0, true}, Move{0, 6, true},
                                           Move{-6, 0, true}, Move{0, -6, true}, Move{6, 6, true},
                                           Move{-100, 3, true}));

TEST_F(MainscreenTest, ToleranceIsMeasuredFromTheStartNotTheLastPosition) {
  ShowSaver();
  for (int step = 1; step <= 5; ++step) Post(MessageKind::MouseMove, startCursor.x + step, startCursor.y);
  EXPECT_FALSE(RunQueued());
  application.Finalize();
  SetUp();
  ShowSaver();
  for (int step = 1; step <= 6; ++step) Post(MessageKind::MouseMove, startCursor.x + step, startCursor.y);
  EXPECT_TRUE(RunQueued());
}

TEST_F(MainscreenTest, KeysEndTheSaverButClicksAndAltKeysDoNot) {
  ShowSaver();
  Post(MessageKind::MouseDown, startCursor.x, startCursor.y);
  Post(MessageKind::MouseUp, startCursor.x, startCursor.y);
  Post(MessageKind::SystemKeyDown);
  Post(MessageKind::KeyUp);
  EXPECT_FALSE(RunQueued());
  application.Finalize();
  SetUp();
  ShowSaver();
  Post(MessageKind::KeyDown);
  EXPECT_TRUE(RunQueued());
}

TEST_F(MainscreenTest, OnlyLosingTheApplicationsActivationEndsTheSaver) {
  ShowSaver();
  platform::Message gained = MessageFor(MessageKind::ApplicationActivate, nullptr);
  gained.active = true;
  native->Post(gained);
  platform::Message windowLost = MessageFor(MessageKind::Activate, window);
  windowLost.active = false;
  native->Post(windowLost);
  EXPECT_FALSE(RunQueued());

  application.Finalize();
  SetUp();
  ShowSaver();
  platform::Message lost = MessageFor(MessageKind::ApplicationActivate, nullptr);
  lost.active = false;
  native->Post(lost);
  EXPECT_TRUE(RunQueued());
}

TEST_F(MainscreenTest, EveryMessageSetsTheArrowCursor) {
  ShowSaver();
  Post(MessageKind::KeyUp);
  Post(MessageKind::MouseDown, startCursor.x, startCursor.y);
  Post(MessageKind::MouseUp, startCursor.x, startCursor.y);
  RunQueued();
  EXPECT_EQ(native->cursors, std::vector<platform::MouseCursor>(3, platform::MouseCursor::Arrow));
}

TEST_F(MainscreenTest, ClosingInSaverModeEndsTheLoopAndTeardownBalancesTheCursor) {
  Tmainscreen& form = ShowSaver();
  fakes::FakeMediaPlayer* player = new fakes::FakeMediaPlayer(calls);
  player->playing = true;
  form.MediaPlayer1.reset(player);
  Post(MessageKind::KeyDown);
  EXPECT_TRUE(RunQueued());
  EXPECT_TRUE(closing);
  EXPECT_FALSE(form.Timer1.Enabled());
  // Music stops without announcing its end, then the device closes.
  const int notify = IndexOf("RequestNotify(false)");
  ASSERT_GE(notify, 0);
  EXPECT_EQ(IndexOf("Stop"), notify + 1);
  EXPECT_EQ(IndexOf("Close"), notify + 2);
  // The window stays until teardown, which hides it: the filter goes and the cursor comes back.
  EXPECT_TRUE(window->Visible());
  application.Finalize();
  EXPECT_FALSE(application.HasMessageFilter());
  EXPECT_EQ(system.showCount, 0);
  SetUp();
}

TEST_F(MainscreenTest, ClosingLeavesAStoppedPlayerAlone) {
  Tmainscreen& form = ShowSaver();
  form.MediaPlayer1 = std::make_unique<fakes::FakeMediaPlayer>(calls);
  Post(MessageKind::KeyDown);
  EXPECT_TRUE(RunQueued());
  EXPECT_EQ(IndexOf("Stop"), -1);
  EXPECT_EQ(IndexOf("Close"), -1);
}

TEST_F(MainscreenTest, ATestRunHidesTheWindowWithoutAskingForThePassword) {
  framework::Form& dialog = application.CreateForm<framework::Form>();
  dialog.Show();
  runMode = configureMode;
  system.passwordFlag = platform::PasswordFlag::On;
  Tmainscreen& form = ShowSaver();
  testRun = true;
  Post(MessageKind::KeyDown);
  EXPECT_FALSE(RunQueued());  // the loop goes on: the dialog is the main window
  EXPECT_FALSE(testRun);
  EXPECT_FALSE(form.Visible());
  EXPECT_TRUE(closing);
  EXPECT_FALSE(application.HasMessageFilter());
  EXPECT_EQ(system.showCount, 0);
  EXPECT_EQ(IndexOf("ScreenSaverPasswordFlag"), -1);
}

TEST_F(MainscreenTest, SaverModeWithoutPasswordSettingsClosesWithoutTouchingTheCursor) {
  ShowSaver();
  system.passwordFlag = platform::PasswordFlag::SettingsMissing;
  Post(MessageKind::KeyDown);
  EXPECT_TRUE(RunQueued());
  EXPECT_EQ(Count("ShowCursor(true)"), 0);
}

TEST_F(MainscreenTest, PasswordFlagOffClosesAfterShowingAndHidingTheCursor) {
  ShowSaver();
  system.passwordFlag = platform::PasswordFlag::Off;
  Post(MessageKind::KeyDown);
  EXPECT_TRUE(RunQueued());
  EXPECT_EQ(Count("ShowCursor(true)"), 1);
  EXPECT_EQ(Count("ShowCursor(false)"), 2);
  EXPECT_EQ(IndexOf("VerifyScreenSaverPassword(1000)"), -1);
}

TEST_F(MainscreenTest, ARejectedPasswordKeepsTheSaverRunningWithTheCursorHidden) {
  ShowSaver();
  system.passwordFlag = platform::PasswordFlag::On;
  system.passwordVerdict = platform::PasswordVerdict::Rejected;
  Post(MessageKind::KeyDown);
  EXPECT_FALSE(RunQueued());
  const int shown = IndexOf("ShowCursor(true)");
  const int verified = IndexOf("VerifyScreenSaverPassword(1000)");
  ASSERT_GE(shown, 0);
  EXPECT_GT(verified, shown);
  EXPECT_EQ(system.showCount, -1);
  EXPECT_FALSE(closing);
}

TEST_F(MainscreenTest, AnAcceptedOrUnavailableVerifierCloses) {
  for (auto verdict : {platform::PasswordVerdict::Accepted, platform::PasswordVerdict::Unavailable}) {
    ShowSaver();
    system.passwordFlag = platform::PasswordFlag::On;
    system.passwordVerdict = verdict;
    Post(MessageKind::KeyDown);
    EXPECT_TRUE(RunQueued());
    application.Finalize();
    EXPECT_EQ(system.showCount, 0);
    ResetGlobals();
    SetUp();
  }
}

}  // namespace
}  // namespace wobbert
