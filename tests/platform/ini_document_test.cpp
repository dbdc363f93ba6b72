// IniDocument: the private-profile semantics of the Linux settings file.
#include <gtest/gtest.h>

#include "platform/sdl/ini_document.h"

namespace wobbert::platform {
namespace {

TEST(IniDocumentTest, FindsSectionsAndKeysWithoutRegardToCaseFirstMatchWinning) {
  const IniDocument document(
      "top=outside\n"
      "[Other]\nsnow=9\n"
      "[WOBBERT]\n  Snow  =  2  \nsnow=1\nsound=\"Yes\"\nquote='a b'\nodd=\"x'\nempty=\n"
      "[wobbert]\njoyful=on\n");
  EXPECT_EQ(document.Get("wobbert", "snow"), "2");
  EXPECT_EQ(document.Get("Wobbert", "SNOW"), "2");
  EXPECT_EQ(document.Get("wobbert", "sound"), "Yes");
  EXPECT_EQ(document.Get("wobbert", "quote"), "a b");
  EXPECT_EQ(document.Get("wobbert", "odd"), "\"x'");
  EXPECT_EQ(document.Get("wobbert", "empty"), "");
  EXPECT_EQ(document.Get("other", "snow"), "9");
  // Only the first of two equal sections is looked in; lines before any section belong to none.
  EXPECT_EQ(document.Get("wobbert", "joyful"), std::nullopt);
  EXPECT_EQ(document.Get("wobbert", "top"), std::nullopt);
  EXPECT_EQ(document.Get("missing", "snow"), std::nullopt);
}

TEST(IniDocumentTest, ReadsWindowsLineEndsAndHostileText) {
  const IniDocument document("[wobbert]\r\nsnow=2\r\n");
  EXPECT_EQ(document.Get("wobbert", "snow"), "2");
  EXPECT_EQ(document.Text(), "[wobbert]\nsnow=2\n");
  // Stray carriage returns at a line's end all go, so the written text reads back the same.
  const IniDocument doubled("[wob\r\r\nsnow=3\r\r\n");
  EXPECT_EQ(doubled.Text(), "[wob\nsnow=3\n");
  EXPECT_EQ(IniDocument(doubled.Text()).Text(), doubled.Text());
  EXPECT_EQ(doubled.Get("wob", "snow"), "3");
  const std::string junk("[\n]\n=\n[x\n\0=\0\n[]]=[\nkey", 22);
  const IniDocument hostile(junk);
  EXPECT_EQ(hostile.Get("x", std::string("\0", 1)), std::string("\0", 1));
  EXPECT_EQ(hostile.Get("", "key"), std::nullopt);
}

TEST(IniDocumentTest, ReplacingAKeyKeepsEveryOtherLine) {
  const std::string text =
      "; our settings\n[wobbert]\nsnow=0\nunknown = kept as is\n# junk line\n\n[other]\nsnow=0\n";
  IniDocument document(text);
  ASSERT_TRUE(document.Set("wobbert", "SNOW", "2"));
  EXPECT_EQ(document.Text(),
            "; our settings\n[wobbert]\nSNOW=2\nunknown = kept as is\n# junk line\n\n[other]\nsnow=0\n");
}

TEST(IniDocumentTest, ANewKeyGoesAfterTheLastFilledLineOfItsSection) {
  IniDocument document("[wobbert]\nsnow=0\n\n\n[other]\na=b\n");
  ASSERT_TRUE(document.Set("wobbert", "sound", "Yes"));
  ASSERT_TRUE(document.Set("other", "c", "d"));
  EXPECT_EQ(document.Text(), "[wobbert]\nsnow=0\nsound=Yes\n\n\n[other]\na=b\nc=d\n");
}

TEST(IniDocumentTest, ANewSectionGoesAtTheEndInTheOrderWritten) {
  IniDocument document("[other]\na=b");
  for (const char* key : {"snow", "sound", "song 0", "joyful"}) ASSERT_TRUE(document.Set("wobbert", key, "1"));
  EXPECT_EQ(document.Text(), "[other]\na=b\n[wobbert]\nsnow=1\nsound=1\nsong 0=1\njoyful=1\n");
  IniDocument empty;
  ASSERT_TRUE(empty.Set("wobbert", "snow", "0"));
  EXPECT_EQ(empty.Text(), "[wobbert]\nsnow=0\n");
}

TEST(IniDocumentTest, RefusesWhatCouldNotBeReadBackAsWritten) {
  IniDocument document("[wobbert]\nsnow=0\n");
  const std::string before = document.Text();
  for (auto [section, key, value] :
       {std::tuple{"wobbert", "snow", "1\nsound=No"}, {"wobbert", "snow", "1\r"}, {"wob]bert", "snow", "1"},
        {"wobbert", "sn=ow", "1"}, {"wobbert", "", "1"}, {"", "snow", "1"}, {"wobbert", "[snow", "1"},
        {"wobbert", " snow", "1"}, {"wobbert\n[x", "snow", "1"}}) {
    EXPECT_FALSE(document.Set(section, key, value)) << section << "/" << key << "/" << value;
  }
  EXPECT_EQ(document.Text(), before);
}

}  // namespace
}  // namespace wobbert::platform
