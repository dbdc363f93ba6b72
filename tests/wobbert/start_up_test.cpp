// Start-up against the fakes: the order of lock, display and colour test, each mode's path, the
// exit statuses and the clean-up of the temporary song file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "data/shared_bitmaps.h"
#include "fakes/program_fixture.h"
#include "framework/application.h"
#include "wb_cfg/settings.h"
#include "wobbert/command_line.h"
#include "wobbert/start_up.h"

namespace wobbert {
namespace {

using framework::application;

class StartUpTest : public fakes::ProgramTest {
 protected:
  void SetUp() override {
    ResetGlobals();
    temporary = std::filesystem::temp_directory_path() /
                ("wobbert-start-up-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(temporary);
    system.temporaryDirectory = temporary.string() + "/";
  }
  void TearDown() override {
    application.Finalize();
    std::filesystem::remove_all(temporary);
    ResetGlobals();
  }

  // Runs the program; the fake display gets `messages` for the first window created.
  int Run(std::vector<std::string> arguments, std::vector<platform::Message> messages = {}) {
    return RunProgram(arguments, [&]() -> Result<std::unique_ptr<platform::NativeApplication>> {
      calls.push_back("OpenApplication");
      if (!displayAvailable) return Error{"Cannot open the display: none"};
      auto fake = std::make_unique<fakes::FakeNativeApplication>(calls);
      native = fake.get();
      native->whenEmpty = [this, messages]() mutable {
        // First wait: the windows exist now; deliver the messages, then end on the next.
        if (!messages.empty()) {
          picturesDuringRun = !plainTrees[0].Empty() && !figurePoses[4].Empty();
          titleDuringRun = application.Title();
          for (auto& message : messages) {
            message.window = native->windows.front();
            native->queue.push_back(message);
          }
          messages.clear();
        } else {
          application.Terminate();
        }
      };
      return std::unique_ptr<platform::NativeApplication>(std::move(fake));
    }, "wobbert");
  }

  static platform::Message KeyPress() {
    platform::Message message;
    message.kind = platform::MessageKind::KeyDown;
    return message;
  }

  std::filesystem::path temporary;
  bool displayAvailable = true;
  bool picturesDuringRun = false;
  std::string titleDuringRun;
};

TEST_F(StartUpTest, SaverRunsUntilAKeyThenDeletesTheSongFileAndReleasesEverything) {
  std::ofstream(temporary / "tmp.mid") << "MThd";
  EXPECT_EQ(Run({"/s"}, {KeyPress()}), exitNormal);
  EXPECT_EQ(runMode, saverMode);
  EXPECT_FALSE(std::filesystem::exists(temporary / "tmp.mid"));
  // Lock, display, colour test, window, in that order; the lock is given back at the end.
  const int lock = IndexOf("AcquireInstanceLock(WobbertSemaphore)");
  ASSERT_GE(lock, 0);
  EXPECT_LT(lock, IndexOf("OpenApplication"));
  EXPECT_LT(IndexOf("OpenApplication"), IndexOf("ColorDepth"));
  EXPECT_LT(IndexOf("ColorDepth"), IndexOf("CreateWindow"));
  EXPECT_EQ(Count("Window.Show"), 1);
  EXPECT_EQ(IndexOf("ReleaseInstanceLock"), static_cast<int>(calls.size()) - 1);
  EXPECT_EQ(system.showCount, 0);
  EXPECT_TRUE(system.messageBoxes.empty());
  EXPECT_FALSE(native == nullptr);
  EXPECT_EQ(settings.sound, "Yes");  // the settings were loaded
  // The pictures were decoded for the run and freed after it.
  EXPECT_TRUE(picturesDuringRun);
  EXPECT_TRUE(plainTrees[0].Empty());
  EXPECT_TRUE(figurePoses[4].Empty());
  EXPECT_TRUE(sceneBitmap.Empty());
}


TEST_F(StartUpTest, OnlyTheSaverModeSetsTheApplicationTitle) {
  Run({"/s"}, {KeyPress()});
  EXPECT_EQ(titleDuringRun, "Wobbert");
  platform::Message escape = KeyPress();
  escape.key = platform::keys::escape;
  Run({"/c"}, {escape});
  EXPECT_EQ(titleDuringRun, "wobbert");
}

TEST_F(StartUpTest, AMissingSongFileIsNotReported) {
  EXPECT_EQ(Run({"/s"}, {KeyPress()}), exitNormal);
  EXPECT_TRUE(system.messageBoxes.empty());
}

TEST_F(StartUpTest, ASecondInstanceEndsAtOnceWithoutAMessage) {
  system.lockOutcome = platform::InstanceLockAttempt::Outcome::HeldElsewhere;
  for (const char* argument : {"/s", "/c", ""}) {
    calls.clear();
    EXPECT_EQ(Run({argument}), exitNormal);
    EXPECT_EQ(IndexOf("OpenApplication"), -1) << argument;
  }
  EXPECT_TRUE(system.messageBoxes.empty());
}

TEST_F(StartUpTest, AnUnavailableLockDoesNotStopTheSaver) {
  system.lockOutcome = platform::InstanceLockAttempt::Outcome::Unavailable;
  EXPECT_EQ(Run({"/s"}, {KeyPress()}), exitNormal);
  EXPECT_EQ(Count("Window.Show"), 1);
}

TEST_F(StartUpTest, APreviewNeitherTakesNorMeetsTheLock) {
  system.lockOutcome = platform::InstanceLockAttempt::Outcome::HeldElsewhere;
  EXPECT_EQ(Run({"/p", "100"}), exitNormal);
  EXPECT_EQ(IndexOf("AcquireInstanceLock(WobbertSemaphore)"), -1);
  EXPECT_GE(IndexOf("ColorDepth"), 0);
  EXPECT_TRUE(system.messageBoxes.empty());
}

TEST_F(StartUpTest, AMalformedPreviewHandleIsReportedByNameWithAFailureStatus) {
  for (const char* handle : {"abc", "-5", ""}) {
    system.messageBoxes.clear();
    EXPECT_EQ(Run({"/p", handle}), exitBadArgument) << handle;
    ASSERT_EQ(system.messageBoxes.size(), 1u);
    EXPECT_NE(system.messageBoxes[0].second.find("'" + UpperCase(handle) + "'"), std::string::npos);
    EXPECT_EQ(Count("CreateWindow"), 0);
  }
}

TEST_F(StartUpTest, EightBitDisplaysAreRefusedWithTheMessageEvenForAPreview) {
  system.colorDepth = 8;
  for (auto arguments : {std::vector<std::string>{"/s"}, {"/p", "100"}, {"/c"}}) {
    system.messageBoxes.clear();
    calls.clear();
    EXPECT_EQ(Run(arguments), exitFailure);
    ASSERT_EQ(system.messageBoxes.size(), 1u);
    EXPECT_EQ(system.messageBoxes[0].first, "wobbert");
    EXPECT_EQ(system.messageBoxes[0].second, colourRefusal);
    EXPECT_EQ(Count("CreateWindow"), 0);
  }
  EXPECT_EQ(std::string(colourRefusal),
            "Your screen is set at 256 colours (or less).\r\nThis saver only works at hi- or true-color.");
}

TEST_F(StartUpTest, TheColourTestPassesFromNineBitsPerPixel) {
  EXPECT_FALSE(PassesColourTest(1));
  EXPECT_FALSE(PassesColourTest(8));
  EXPECT_TRUE(PassesColourTest(9));
  EXPECT_TRUE(PassesColourTest(16));
  EXPECT_TRUE(PassesColourTest(32));
}

TEST_F(StartUpTest, WithoutADisplayTheProgramSaysSoAndFails) {
  displayAvailable = false;
  EXPECT_EQ(Run({"/s"}), exitFailure);
  ASSERT_EQ(system.messageBoxes.size(), 1u);
  EXPECT_NE(system.messageBoxes[0].second.find("display"), std::string::npos);
  EXPECT_GE(IndexOf("ReleaseInstanceLock"), 0);
}

TEST_F(StartUpTest, PasswordChangeEndsBeforeTheLockAndTheDisplay) {
  system.passwordChange = platform::PasswordChangeFacility::Missing;
  EXPECT_EQ(Run({"/a", "abc"}), exitNormal);
  EXPECT_EQ(calls, (std::vector<std::string>{"FindPasswordChange"}));

  calls.clear();
  system.passwordChange = platform::PasswordChangeFacility::Present;
  EXPECT_EQ(Run({"-A", "1234"}), exitNormal);
  EXPECT_EQ(calls, (std::vector<std::string>{"FindPasswordChange", "ChangePassword(1234)"}));

  // The handle is read once the library is there, whether or not the call is.
  calls.clear();
  system.passwordChange = platform::PasswordChangeFacility::LibraryOnly;
  EXPECT_EQ(Run({"a", "12"}), exitNormal);
  EXPECT_EQ(calls, (std::vector<std::string>{"FindPasswordChange"}));
  EXPECT_EQ(Run({"a", "-12"}), exitBadArgument);
  ASSERT_EQ(system.messageBoxes.size(), 1u);
  EXPECT_NE(system.messageBoxes[0].second.find("'-12'"), std::string::npos);
}

TEST_F(StartUpTest, OnlyTheFirstTwoArgumentsCount) {
  system.passwordChange = platform::PasswordChangeFacility::Present;
  EXPECT_EQ(Run({"/a", "5", "junk", "more"}), exitNormal);
  EXPECT_EQ(IndexOf("ChangePassword(5)"), 1);
}

}  // namespace
}  // namespace wobbert
