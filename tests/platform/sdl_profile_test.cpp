// The Linux settings file on disk: where it lives, what a save leaves in it, and that every write
// replaces the file whole.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/profile.h"
#include "wb_cfg/settings.h"

namespace wobbert::platform {
namespace {

namespace fs = std::filesystem;

class SdlProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() /
           ("wobbert-profile-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root);
    fs::create_directories(root);
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) saved = old;
    setenv("XDG_CONFIG_HOME", root.c_str(), 1);
    file = root / "wobbert" / "control.ini";
    settings = Settings{};
  }
  void TearDown() override {
    if (saved) setenv("XDG_CONFIG_HOME", saved->c_str(), 1);
    else unsetenv("XDG_CONFIG_HOME");
    fs::remove_all(root);
    settings = Settings{};
  }
  std::string FileText() const {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void WriteFile(const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
  }

  fs::path root;
  fs::path file;
  std::optional<std::string> saved;
};

TEST_F(SdlProfileTest, AMissingFileGivesTheDefaultsAndTheFirstSaveCreatesIt) {
  LoadSettings();
  EXPECT_EQ(settings.sound, "Yes");
  EXPECT_FALSE(fs::exists(file));
  ASSERT_FALSE(SaveSettings().has_value());
  std::string expected = "[wobbert]\nsnow=0\nsound=Yes\n";
  for (int i = 0; i < 47; ++i) expected += "song " + std::to_string(i) + "=1\n";
  expected += "joyful=off\n";
  EXPECT_EQ(FileText(), expected);
  struct stat info {};
  ASSERT_EQ(stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  // Nothing but the file is left beside it.
  EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1);
}

TEST_F(SdlProfileTest, ASaveAfterALoadReproducesTheFileAndKeepsWhatItDoesNotKnow) {
  std::string text = "; written by hand\n[Desktop]\nwallpaper=snow.bmp\n\n[WOBBERT]\nsnow=2\nsound=yes\n";
  for (int i = 0; i < 47; ++i) text += "song " + std::to_string(i) + "=" + (i % 2 ? "0" : "1") + "\n";
  text += "joyful=on\nfuture key=42\n\n[later]\nx=y\n";
  WriteFile(text);
  LoadSettings();
  EXPECT_EQ(settings.snow, 2);
  EXPECT_EQ(settings.sound, "yes");
  EXPECT_EQ(settings.songPicked[1], 0);
  EXPECT_TRUE(settings.joyful);
  ASSERT_FALSE(SaveSettings().has_value());
  EXPECT_EQ(FileText(), text);
}

TEST_F(SdlProfileTest, HandEditedValuesAreNormalisedOnTheNextSave) {
  WriteFile("[wobbert]\nsnow=0x2\njoyful=On\nsong 5=$0\nsong 6=letters\nsong 7=0x\n");
  LoadSettings();
  ASSERT_FALSE(SaveSettings().has_value());
  LoadSettings();
  EXPECT_EQ(settings.snow, 2);
  EXPECT_FALSE(settings.joyful);
  EXPECT_EQ(settings.songPicked[5], 0);
  EXPECT_EQ(settings.songPicked[6], 1);
  EXPECT_EQ(settings.songPicked[7], 1);
  const std::string text = FileText();
  EXPECT_NE(text.find("\nsnow=2\n"), std::string::npos);
  EXPECT_NE(text.find("\njoyful=off\n"), std::string::npos);
  EXPECT_NE(text.find("\nsong 6=1\n"), std::string::npos);
}

TEST_F(SdlProfileTest, EveryWriteReplacesTheFileWhole) {
  WriteFile("[wobbert]\nsnow=1\n");
  // A reader that opened the old file keeps seeing all of it: the new text is another file.
  std::ifstream reader(file, std::ios::binary);
  struct stat before {};
  ASSERT_EQ(stat(file.c_str(), &before), 0);
  ASSERT_TRUE(NativeProfile().WriteString("control.ini", "wobbert", "snow", "2"));
  struct stat after {};
  ASSERT_EQ(stat(file.c_str(), &after), 0);
  EXPECT_NE(before.st_ino, after.st_ino);
  std::stringstream old;
  old << reader.rdbuf();
  EXPECT_EQ(old.str(), "[wobbert]\nsnow=1\n");
  EXPECT_EQ(FileText(), "[wobbert]\nsnow=2\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1);
}

TEST_F(SdlProfileTest, AFileThatCannotBeWrittenGivesTheErrorAndStaysAsItWas) {
  // The settings directory's place is taken by a plain file: nothing can be created there.
  std::ofstream(root / "wobbert") << "not a directory";
  LoadSettings();
  EXPECT_EQ(settings.sound, "Yes");
  const auto error = SaveSettings();
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->message, "Unable to write to control.ini");
  EXPECT_EQ(fs::file_size(root / "wobbert"), 15u);
}

TEST_F(SdlProfileTest, AFileThatCannotBeReadIsNeitherReadNorReplaced) {
  fs::create_directories(file);  // a directory where the file should be
  EXPECT_EQ(NativeProfile().ReadString("control.ini", "wobbert", "snow", "dflt"), "dflt");
  EXPECT_FALSE(NativeProfile().WriteString("control.ini", "wobbert", "snow", "1"));
  EXPECT_TRUE(fs::is_directory(file));
}

TEST_F(SdlProfileTest, TheFileNameCannotLeaveTheSettingsDirectory) {
  EXPECT_FALSE(NativeProfile().WriteString("../escape.ini", "wobbert", "snow", "1"));
  EXPECT_FALSE(NativeProfile().WriteString("..", "wobbert", "snow", "1"));
  EXPECT_FALSE(fs::exists(root / "escape.ini"));
}

TEST_F(SdlProfileTest, WithoutXdgConfigHomeTheFileIsUnderHome) {
  unsetenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  const std::string savedHome = home ? home : "";
  setenv("HOME", root.c_str(), 1);
  ASSERT_TRUE(NativeProfile().WriteString("control.ini", "wobbert", "snow", "1"));
  EXPECT_TRUE(fs::exists(root / ".config" / "wobbert" / "control.ini"));
  if (home) setenv("HOME", savedHome.c_str(), 1);
  // A relative XDG_CONFIG_HOME is ignored as the XDG rules say.
  setenv("XDG_CONFIG_HOME", "relative", 1);
  setenv("HOME", root.c_str(), 1);
  EXPECT_EQ(NativeProfile().ReadString("control.ini", "wobbert", "snow", ""), "1");
  if (home) setenv("HOME", savedHome.c_str(), 1);
}

}  // namespace
}  // namespace wobbert::platform
