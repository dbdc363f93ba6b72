// The settings store against a fake profile: integer parsing, defaults and ranges, the order of
// the 50 writes and the write error.
#include <gtest/gtest.h>

#include "fakes/fake_system.h"
#include "wb_cfg/settings.h"

namespace wobbert {
namespace {

struct IntegerCase {
  const char* text;
  std::optional<std::int32_t> value;
};

class SettingsIntegerTest : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(SettingsIntegerTest, Converts) {
  EXPECT_EQ(ParseSettingsInteger(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Table, SettingsIntegerTest,
    ::testing::Values(IntegerCase{"2", 2}, IntegerCase{"0x2", 2}, IntegerCase{"0X1f", 31},
                      IntegerCase{"$2", 2}, IntegerCase{"$fF", 255}, IntegerCase{"x2", 2},
                      IntegerCase{"X10", 16}, IntegerCase{"0x", std::nullopt}, IntegerCase{"$", std::nullopt},
                      IntegerCase{"x", std::nullopt}, IntegerCase{"", std::nullopt},
                      IntegerCase{"abc", std::nullopt}, IntegerCase{"On", std::nullopt},
                      IntegerCase{"  7", 7}, IntegerCase{"7 ", std::nullopt}, IntegerCase{"+3", 3},
                      IntegerCase{"-3", -3}, IntegerCase{"-", std::nullopt}, IntegerCase{"- 3", std::nullopt},
                      IntegerCase{"-$10", -16}, IntegerCase{"0x-1", std::nullopt}, IntegerCase{"1e3", std::nullopt},
                      IntegerCase{"007", 7}, IntegerCase{"0x0x2", std::nullopt},
                      IntegerCase{"2147483647", 2147483647}, IntegerCase{"2147483648", std::nullopt},
                      IntegerCase{"-2147483648", INT32_MIN}, IntegerCase{"-2147483649", std::nullopt},
                      IntegerCase{"0x7FFFFFFF", 2147483647}, IntegerCase{"$80000000", std::nullopt},
                      IntegerCase{"99999999999999999999999", std::nullopt}));

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { settings = Settings{}; }
  void TearDown() override { settings = Settings{}; }
  void Put(const std::string& key, const std::string& value) {
    profile.values[{"control.ini", "wobbert", key}] = value;
  }

  std::vector<std::string> calls;
  fakes::FakeSystem system{calls};
  fakes::FakeProfile profile;
  fakes::InstalledSystem installed{system, profile};
};

TEST_F(SettingsTest, AnEmptyFileGivesTheDefaults) {
  LoadSettings();
  EXPECT_EQ(settings.snow, 0);
  EXPECT_EQ(settings.sound, "Yes");
  for (auto picked : settings.songPicked) EXPECT_EQ(picked, 1);
  EXPECT_FALSE(settings.joyful);
}

TEST_F(SettingsTest, HandEditedValuesLoadAsTheStoreReadsThem) {
  struct Case {
    const char* snow;
    int expected;
  };
  for (auto [text, expected] : {Case{"0x2", 2}, Case{"$2", 2}, Case{"1", 1}, Case{"0x", 0}, Case{"two", 0},
                                Case{"3", 0}, Case{"255", 0}, Case{"256", 0}, Case{"-1", 0},
                                Case{"258", 0}}) {
    Put("snow", text);
    LoadSettings();
    EXPECT_EQ(settings.snow, expected) << text;
  }
  struct SongCase {
    const char* value;
    int expected;
  };
  for (auto [text, expected] : {SongCase{"0", 0}, SongCase{"1", 1}, SongCase{"$0", 0}, SongCase{"abc", 1},
                                SongCase{"2", 1}, SongCase{"-1", 1}, SongCase{"256", 1}, SongCase{"", 1}}) {
    Put("song 46", text);
    LoadSettings();
    EXPECT_EQ(settings.songPicked[46], expected) << text;
  }
  for (auto [text, expected] : {std::pair{"on", true}, {"On", false}, {"ON", false}, {"off", false},
                                {"on ", false}, {"1", false}}) {
    Put("joyful", text);
    LoadSettings();
    EXPECT_EQ(settings.joyful, expected) << text;
  }
  Put("sound", "yes");
  LoadSettings();
  EXPECT_EQ(settings.sound, "yes");
}

TEST_F(SettingsTest, SongKeysAreNumberedWithoutLeadingZeros) {
  Put("song 7", "0");
  Put("song 07", "0");
  LoadSettings();
  for (std::size_t i = 0; i < settingsSongCount; ++i) EXPECT_EQ(settings.songPicked[i], i == 7 ? 0 : 1) << i;
}

TEST_F(SettingsTest, ATextValueIsCutAt2047Characters) {
  Put("sound", std::string(3000, 'y'));
  LoadSettings();
  EXPECT_EQ(settings.sound, std::string(2047, 'y'));
}

TEST_F(SettingsTest, SaveWritesFiftyKeysInOrder) {
  settings.snow = 2;
  settings.sound = "No";
  settings.songPicked.fill(1);
  settings.songPicked[3] = 0;
  settings.joyful = true;
  EXPECT_FALSE(SaveSettings().has_value());
  ASSERT_EQ(profile.writes.size(), 50u);
  for (const auto& write : profile.writes) {
    EXPECT_EQ(write.fileName, "control.ini");
    EXPECT_EQ(write.section, "wobbert");
  }
  EXPECT_EQ(profile.writes[0].key, "snow");
  EXPECT_EQ(profile.writes[0].value, "2");
  EXPECT_EQ(profile.writes[1].key, "sound");
  EXPECT_EQ(profile.writes[1].value, "No");
  for (std::size_t i = 0; i < settingsSongCount; ++i) {
    EXPECT_EQ(profile.writes[2 + i].key, "song " + std::to_string(i));
    EXPECT_EQ(profile.writes[2 + i].value, i == 3 ? "0" : "1");
  }
  EXPECT_EQ(profile.writes[49].key, "joyful");
  EXPECT_EQ(profile.writes[49].value, "on");
  settings.joyful = false;
  SaveSettings();
  EXPECT_EQ(profile.writes.back().value, "off");
}

TEST_F(SettingsTest, AFailedWriteStopsTheSaveAndNamesTheFile) {
  profile.failAtWrite = 3;
  const auto error = SaveSettings();
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->message, "Unable to write to control.ini");
  ASSERT_EQ(profile.writes.size(), 3u);
  EXPECT_EQ(profile.writes.back().key, "song 0");
}

TEST_F(SettingsTest, SavedSettingsLoadBackUnchanged) {
  settings.snow = 1;
  settings.sound = "Maybe so";
  for (std::size_t i = 0; i < settingsSongCount; ++i) settings.songPicked[i] = static_cast<std::uint8_t>(i % 3 == 0);
  settings.joyful = true;
  const Settings saved = settings;
  SaveSettings();
  settings = Settings{};
  LoadSettings();
  EXPECT_EQ(settings, saved);
}

}  // namespace
}  // namespace wobbert
