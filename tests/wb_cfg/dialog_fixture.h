// DialogTest: the program fixture with the fake text renderer, the settings at their defaults and
// the configure mode's three windows created as start-up creates them, each with a fake player.
#pragma once

#include <filesystem>
#include <string>

#include "fakes/fake_media_player.h"
#include "fakes/fake_text_renderer.h"
#include "fakes/program_fixture.h"
#include "toolkit/random.h"
#include "wb_cfg/configscreen.h"
#include "wb_cfg/settings.h"
#include "wb_song/songscreen.h"

namespace wobbert::fakes {

class DialogTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    temporary = std::filesystem::temp_directory_path() /
                ("wobbert-dialogs-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(temporary);
    system.temporaryDirectory = temporary.string() + "/";
    runMode = configureMode;
    randomSeed = 12345;
    LoadSettings();
    CurrentSong = 0;
    LabelColour = defaultLabelColour;
    configscreen = &framework::application.CreateForm<Tconfigscreen>();
    songscreen = &framework::application.CreateForm<Tsongscreen>();
    mainscreen = &framework::application.CreateForm<Tmainscreen>();
    songscreen->MediaPlayer1 = std::make_unique<FakeMediaPlayer>(playerCalls);
    mainscreen->MediaPlayer1 = std::make_unique<FakeMediaPlayer>(calls);
  }
  void TearDown() override {
    ProgramTest::TearDown();
    configscreen = nullptr;
    songscreen = nullptr;
    std::error_code ignored;
    std::filesystem::remove_all(temporary, ignored);
  }

  FakeMediaPlayer& SongPlayer() { return static_cast<FakeMediaPlayer&>(*songscreen->MediaPlayer1); }

  static void Move(framework::Form& form, int x, int y) {
    form.Dispatch(MessageFor(platform::MessageKind::MouseMove, &form.Native(), x, y));
  }
  static void Click(framework::Form& form, int x, int y) {
    form.Dispatch(MessageFor(platform::MessageKind::MouseDown, &form.Native(), x, y));
    form.Dispatch(MessageFor(platform::MessageKind::MouseUp, &form.Native(), x, y));
  }
  static void DoubleClick(framework::Form& form, int x, int y) {
    Click(form, x, y);
    platform::Message second = MessageFor(platform::MessageKind::MouseDown, &form.Native(), x, y);
    second.clicks = 2;
    form.Dispatch(second);
    form.Dispatch(MessageFor(platform::MessageKind::MouseUp, &form.Native(), x, y));
  }
  static void Key(framework::Form& form, int key) {
    platform::Message message = MessageFor(platform::MessageKind::KeyDown, &form.Native());
    message.key = key;
    form.Dispatch(message);
  }
  // Keys written to the settings file, in order.
  std::vector<std::string> WrittenKeys() const {
    std::vector<std::string> keys;
    for (const auto& write : profile.writes) keys.push_back(write.key);
    return keys;
  }

  FakeTextRenderer renderer;
  InstalledTextRenderer installedRenderer{renderer};
  std::vector<std::string> playerCalls;
  std::filesystem::path temporary;
};

}  // namespace wobbert::fakes
