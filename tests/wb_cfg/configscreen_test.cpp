// The configuration dialog against the fakes: the hover and click rules over its outlined labels,
// the option cycles, what reaches the settings file on OK, Cancel and Test, and its picture.

#include <gtest/gtest.h>

#include "toolkit/canvas.h"
#include "wb_cfg/config_picture.h"
#include "wb_cfg/dialog_fixture.h"

namespace wobbert {
namespace {

using fakes::DialogTest;

class ConfigscreenTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    configscreen->Show();
  }
  Tconfigscreen& Dialog() { return *configscreen; }
  // Centre of a label's box.
  static std::pair<int, int> Centre(const Label& label) {
    const Rectangle box = label.Box();
    return {box.left + box.Width() / 2, box.top + box.Height() / 2};
  }
  void MoveOnto(const Label& label) {
    const auto [x, y] = Centre(label);
    Move(Dialog(), x, y);
  }
  void ClickOn(const Label& label) {
    const auto [x, y] = Centre(label);
    Click(Dialog(), x, y);
  }
  int Lit() const {
    int count = 0;
    for (const OutlinedLabel* button : configscreen->Buttons()) count += button->Hovered() ? 1 : 0;
    return count;
  }
};

TEST_F(ConfigscreenTest, ShowLaysOutTheButtonsAndCentresTheWebLinkOnItsMeasuredWidth) {
  EXPECT_EQ(Dialog().ClientWidth(), 320);
  EXPECT_EQ(Dialog().ClientHeight(), 328);
  EXPECT_EQ(Dialog().Label5.top.Box(), (Rectangle{16, 286, 96, 318}));
  EXPECT_EQ(Dialog().Label10.top.Box(), (Rectangle{120, 286, 200, 318}));
  EXPECT_EQ(Dialog().Label15.top.Box(), (Rectangle{224, 286, 304, 318}));
  // "Visit website >>>": 17 characters of 9 pixels at 19 pixels in the fake font, 28 high.
  EXPECT_EQ(Dialog().Label45.top.Box(), (Rectangle{83, 128, 236, 156}));
  EXPECT_EQ(Dialog().Label45.shadow.Box(), (Rectangle{85, 130, 238, 158}));
  EXPECT_EQ(Dialog().Label5.shadow.Box(), (Rectangle{19, 289, 99, 321}));
  EXPECT_EQ(Dialog().Label5.upLeft.Box(), (Rectangle{15, 285, 95, 317}));
  EXPECT_EQ(Dialog().Label20.top.Caption(), "No Snow ");
  EXPECT_EQ(Dialog().Label25.top.Caption(), "Yes");
  EXPECT_EQ(Dialog().Label60.top.Caption(), "No");
  EXPECT_EQ(Dialog().Label60.shadow.Caption(), "No");
  EXPECT_EQ(Dialog().Label5.top.colour, defaultLabelColour);
  EXPECT_EQ(Dialog().Label5.shadow.colour, Rgb(0, 0, 0));
}

// Placement needs a screen size chosen before the first show, so it has no ready-shown dialog.
using ConfigscreenPlacementTest = DialogTest;

TEST_F(ConfigscreenPlacementTest, TheFirstShowCentresTheDialogOnTheScreenAndLaterShowsLeaveItWhereItIs) {
  system.screenSize = {1024, 700};
  configscreen->Show();
  // (1024 - 320) / 2 and (700 - 328) / 2: the client size is known before the centring.
  EXPECT_EQ(configscreen->BoundsRect(), (Rectangle{352, 186, 672, 514}));
  system.screenSize = {800, 600};
  configscreen->Hide();
  configscreen->Show();
  EXPECT_EQ(configscreen->BoundsRect(), (Rectangle{352, 186, 672, 514}));
}

TEST_F(ConfigscreenTest, HoverMovesBetweenButtonsInOneReportAndTheBackgroundClearsIt) {
  MoveOnto(Dialog().Label5.top);
  EXPECT_EQ(Dialog().Label5.top.colour, HoverColour);
  EXPECT_EQ(Lit(), 1);
  MoveOnto(Dialog().Label15.top);
  EXPECT_EQ(Dialog().Label15.top.colour, HoverColour);
  EXPECT_EQ(Dialog().Label5.top.colour, LabelColour);
  EXPECT_EQ(Lit(), 1);
  Move(Dialog(), 5, 165);  // bare picture between the frames
  EXPECT_EQ(Lit(), 0);
}

TEST_F(ConfigscreenTest, PlainCaptionsReportNothingSoTheHighlightStays) {
  MoveOnto(Dialog().Label25.top);
  ASSERT_TRUE(Dialog().Label25.Hovered());
  // The row title "Sound: " lies over the left 6 pixels of the value.
  Move(Dialog(), 148, 250);
  EXPECT_TRUE(Dialog().Label25.Hovered());
  Click(Dialog(), 148, 250);
  EXPECT_EQ(settings.sound, "Yes");
  MoveOnto(Dialog().Label70.top);  // the title
  EXPECT_TRUE(Dialog().Label25.Hovered());
}

TEST_F(ConfigscreenTest, ACopysRimClearsTheHighlightExceptTheWebLinksCopies) {
  MoveOnto(Dialog().Label5.top);
  Move(Dialog(), 98, 319);  // only the Test button's shadow copy
  EXPECT_EQ(Lit(), 0);

  MoveOnto(Dialog().Label45.top);
  ASSERT_TRUE(Dialog().Label45.Hovered());
  Move(Dialog(), 237, 157);  // only the web link's shadow copy
  EXPECT_TRUE(Dialog().Label45.Hovered());
}

TEST_F(ConfigscreenTest, CopiesPassClicksOnExceptTheWebLinks) {
  Click(Dialog(), 98, 319);  // Test's shadow copy: Test runs
  EXPECT_TRUE(testRun);
  EXPECT_TRUE(mainscreen->Visible());

  Click(Dialog(), 237, 157);  // the web link's shadow copy
  EXPECT_EQ(Count("OpenWebAddress(" + std::to_string(Dialog().Native().Handle()) + ", " + makerWebPage + ")"), 0);
  ClickOn(Dialog().Label45.top);
  EXPECT_EQ(Count("OpenWebAddress(" + std::to_string(Dialog().Native().Handle()) + ", " + makerWebPage + ")"), 1);
}

TEST_F(ConfigscreenTest, ThreeClicksCycleTheSnowModeWithoutWritingTheFile) {
  const std::vector<std::string> expected = {"Snowy ", "Falling Snow ", "No Snow "};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    ClickOn(Dialog().Label20.top);
    EXPECT_EQ(settings.snow, (i + 1) % 3);
    for (const Label* label : {&Dialog().Label20.upLeft, &Dialog().Label20.upRight, &Dialog().Label20.downLeft,
                               &Dialog().Label20.shadow, &Dialog().Label20.top}) {
      EXPECT_EQ(label->Caption(), expected[i]);
    }
    // Auto-sized: the value grows and shrinks from its left edge.
    EXPECT_EQ(Dialog().Label20.top.Box().left, 154);
    EXPECT_EQ(Dialog().Label20.top.Box().Width(), 12 * static_cast<int>(expected[i].size()));
  }
  EXPECT_TRUE(profile.writes.empty());
}

TEST_F(ConfigscreenTest, SoundTogglesFromAnyTextAndXmasJoyToggles) {
  profile.values[{"control.ini", "wobbert", "sound"}] = "yes";
  Dialog().Hide();
  Dialog().Show();
  EXPECT_EQ(Dialog().Label25.top.Caption(), "yes");
  ClickOn(Dialog().Label25.top);
  EXPECT_EQ(settings.sound, "Yes");
  EXPECT_EQ(Dialog().Label25.shadow.Caption(), "Yes");
  ClickOn(Dialog().Label25.top);
  EXPECT_EQ(settings.sound, "No");

  ClickOn(Dialog().Label60.downLeft);
  EXPECT_TRUE(settings.joyful);
  EXPECT_EQ(Dialog().Label60.top.Caption(), "Yes");
  EXPECT_EQ(Dialog().Label60.upRight.Caption(), "Yes");
}

TEST_F(ConfigscreenTest, OkWritesTheFiftyKeysInOrderAndEndsTheProgram) {
  ClickOn(Dialog().Label60.top);
  ClickOn(Dialog().Label15.top);
  const std::vector<std::string> keys = WrittenKeys();
  ASSERT_EQ(keys.size(), 50u);
  EXPECT_EQ(keys.front(), "snow");
  EXPECT_EQ(keys[1], "sound");
  EXPECT_EQ(keys[2], "song 0");
  EXPECT_EQ(keys[48], "song 46");
  EXPECT_EQ(keys.back(), "joyful");
  EXPECT_EQ(profile.writes.back().value, "on");
  EXPECT_TRUE(framework::application.Terminated());
  EXPECT_TRUE(configBackground.Empty());
}

TEST_F(ConfigscreenTest, CancelWritesNothingUnlessTestCameFirst) {
  ClickOn(Dialog().Label20.top);
  ClickOn(Dialog().Label10.top);
  EXPECT_TRUE(profile.writes.empty());
  EXPECT_TRUE(framework::application.Terminated());
}

TEST_F(ConfigscreenTest, TestSavesAndShowsTheSaverAndCancelThenKeepsWhatTestWrote) {
  ClickOn(Dialog().Label20.top);  // Snowy
  ClickOn(Dialog().Label5.top);
  EXPECT_TRUE(testRun);
  EXPECT_TRUE(mainscreen->Visible());
  EXPECT_EQ(profile.values[(fakes::FakeProfile::Key{"control.ini", "wobbert", "snow"})], "1");
  mainscreen->RequestExit();  // any input ends the test run
  EXPECT_FALSE(testRun);
  EXPECT_FALSE(mainscreen->Visible());
  EXPECT_TRUE(Dialog().Visible());

  ClickOn(Dialog().Label20.top);  // Falling Snow, never saved
  ClickOn(Dialog().Label10.top);
  EXPECT_EQ(profile.writes.size(), 50u);
  EXPECT_EQ(profile.values[(fakes::FakeProfile::Key{"control.ini", "wobbert", "snow"})], "1");
}

TEST_F(ConfigscreenTest, AFailedSaveIsReportedAndOkLeavesTheDialogOpen) {
  profile.failAtWrite = 3;
  ClickOn(Dialog().Label15.top);
  ASSERT_EQ(system.messageBoxes.size(), 1u);
  EXPECT_EQ(system.messageBoxes[0].second, "Unable to write to control.ini");
  EXPECT_FALSE(framework::application.Terminated());
  ClickOn(Dialog().Label5.top);
  EXPECT_FALSE(testRun);
  EXPECT_FALSE(mainscreen->Visible());
}

TEST_F(ConfigscreenTest, AClickNeedsPressAndReleaseOnTheSameLabel) {
  const auto [x, y] = Centre(Dialog().Label20.top);
  Dialog().Dispatch(MessageFor(platform::MessageKind::MouseDown, &Dialog().Native(), x, y));
  Dialog().Dispatch(MessageFor(platform::MessageKind::MouseUp, &Dialog().Native(), 5, 165));
  EXPECT_EQ(settings.snow, 0);
}

TEST(SoftenBitmap, CutsContrastToThreeQuartersAroundMidGreyTruncatingTowardZero) {
  Bitmap bitmap(3, 1);
  bitmap.SetPixel(0, 0, Rgb(0, 255, 128));
  bitmap.SetPixel(1, 0, Rgb(127, 129, 1));
  bitmap.SetPixel(2, 0, Rgb(125, 131, 254));
  SoftenBitmap(bitmap);
  EXPECT_EQ(bitmap.Pixel(0, 0), Rgb(32, 223, 128));
  // -1 * 3 / 4 and 1 * 3 / 4 both truncate to 0; -127 * 3 / 4 is -95.
  EXPECT_EQ(bitmap.Pixel(1, 0), Rgb(128, 128, 33));
  EXPECT_EQ(bitmap.Pixel(2, 0), Rgb(126, 130, 222));
}

TEST_F(ConfigscreenTest, ThePictureFollowsTheSnowSettingAndAFixedSeedRepeatsIt) {
  randomSeed = 99;
  PaintConfigPicture();
  const Bitmap green = configBackground;
  randomSeed = 99;
  PaintConfigPicture();
  EXPECT_EQ(configBackground, green);
  settings.snow = 1;
  randomSeed = 99;
  PaintConfigPicture();
  EXPECT_FALSE(configBackground == green);
  EXPECT_EQ(songlistBackground.Width(), 384);
  EXPECT_EQ(songlistBackground.Height(), 320);
}

TEST_F(ConfigscreenTest, PaintingPutsTopLabelsOverTheirCopies) {
  Bitmap frame;
  Dialog().PaintTo(frame);
  // The fake font's first glyph of "OK" covers rows 292..315 from x = 224 + (80 - 24) / 2 = 252.
  EXPECT_EQ(frame.Pixel(253, 300), LabelColour);
  // One pixel up-left of the glyph block: the up-left copy's black rim.
  EXPECT_EQ(frame.Pixel(251, 291), Rgb(0, 0, 0));
  // The shadow (+3, +3) below right of the block's last column (x 252..262).
  EXPECT_EQ(frame.Pixel(264, 317), Rgb(0, 0, 0));
  MoveOnto(Dialog().Label15.top);
  Dialog().PaintTo(frame);
  EXPECT_EQ(frame.Pixel(253, 300), HoverColour);
}

}  // namespace
}  // namespace wobbert
