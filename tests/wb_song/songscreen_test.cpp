// The song list dialog against the fakes: ticks reaching `songPicked`, the preview rules around
// `CurrentSong`, Play/Stop and Ready, its hover rule, and the check list's own behaviour.

#include <gtest/gtest.h>

#include <filesystem>

#include "midi/song_file.h"
#include "wb_cfg/dialog_fixture.h"

namespace wobbert {
namespace {

using fakes::DialogTest;

// List geometry: box (9, 49, 366 x 222), items from (10, 50), 21 high, check boxes 16 wide.
constexpr int boxX = 14;
constexpr int textX = 100;
int RowY(int row) { return 50 + 21 * row + 10; }

class SongscreenTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    configscreen->Show();
    songscreen->Show();
  }
  Tsongscreen& Dialog() { return *songscreen; }
  CheckListBox& List() { return songscreen->CheckListBox1; }
  std::string PlayCaption() { return Dialog().Label15.top.Caption(); }
};

TEST_F(SongscreenTest, CreationTicksFromSongPickedAndShowNamesTheWindow) {
  EXPECT_EQ(List().Count(), 47);
  EXPECT_EQ(List().Item(0), "A Holly Jolly Christmas");
  for (int i = 0; i < 47; ++i) EXPECT_TRUE(List().Checked(i));
  EXPECT_EQ(static_cast<fakes::FakeWindow&>(Dialog().Native()).caption, "Wobbert - Songlist");
  EXPECT_EQ(Dialog().BoundsRect(), (Rectangle{257, 135, 641, 455}));
}

TEST_F(SongscreenTest, AClickCopiesAllFortySevenTicksButSpaceAloneDoesNot) {
  Click(Dialog(), textX, RowY(2));  // select song 2
  Key(Dialog(), platform::keys::space);
  EXPECT_FALSE(List().Checked(2));
  EXPECT_EQ(settings.songPicked[2], 1);  // Space raises no click
  List().SetChecked(40, false);
  Click(Dialog(), textX, RowY(5));
  EXPECT_EQ(settings.songPicked[2], 0);
  EXPECT_EQ(settings.songPicked[40], 0);
  EXPECT_EQ(settings.songPicked[5], 1);
  Click(Dialog(), boxX, RowY(5));  // a click on the box ticks and copies at once
  EXPECT_EQ(settings.songPicked[5], 0);
  EXPECT_EQ(List().ItemIndex(), 5);
}

TEST_F(SongscreenTest, PlayWithNothingSelectedPlaysSongZero) {
  ASSERT_EQ(List().ItemIndex(), -1);

  Click(Dialog(), 104, 294);
  EXPECT_EQ(PlayCaption(), "Stop");
  EXPECT_EQ(Dialog().Label15.shadow.Caption(), "Stop");
  EXPECT_EQ(CurrentSong, 0);
  EXPECT_EQ(playerCalls, (std::vector<std::string>{"Open", "Play"}));
  EXPECT_EQ(SongPlayer().FileName(), TemporaryMidiFilePath());
  EXPECT_TRUE(std::filesystem::exists(TemporaryMidiFilePath()));
  Click(Dialog(), 104, 294);
  EXPECT_EQ(PlayCaption(), "Play");
  EXPECT_EQ(playerCalls.back(), "Stop");
}

TEST_F(SongscreenTest, DoubleClickOnCurrentSongDoesNothingAndOnAnotherPlaysIt) {
  DoubleClick(Dialog(), textX, RowY(0));
  EXPECT_TRUE(playerCalls.empty());
  EXPECT_EQ(PlayCaption(), "Play");
  DoubleClick(Dialog(), textX, RowY(3));
  EXPECT_EQ(CurrentSong, 3);
  EXPECT_EQ(PlayCaption(), "Stop");
  EXPECT_EQ(playerCalls, (std::vector<std::string>{"Open", "Play"}));
  // Clicking the previewed song keeps it playing; another song stops it.
  Click(Dialog(), boxX, RowY(3));
  EXPECT_TRUE(SongPlayer().playing);
  EXPECT_EQ(PlayCaption(), "Stop");
  Click(Dialog(), textX, RowY(4));
  EXPECT_FALSE(SongPlayer().playing);
  EXPECT_EQ(PlayCaption(), "Play");
}

TEST_F(SongscreenTest, ASongFileThatCannotBeCreatedTurnsSoundOff) {
  system.temporaryDirectory = (temporary / "missing" / "").string();
  Click(Dialog(), 104, 294);
  EXPECT_EQ(settings.sound, "No");
  EXPECT_EQ(PlayCaption(), "Stop");
  EXPECT_TRUE(playerCalls.empty());
}

TEST_F(SongscreenTest, ReadyClosesTheModalDialogAndClosingStopsThePreview) {
  Dialog().Hide();
  Click(Dialog(), 104, 294);  // start a preview while hidden, then open modally
  native->Post(MessageFor(platform::MessageKind::MouseDown, &Dialog().Native(), 248, 294));
  native->Post(MessageFor(platform::MessageKind::MouseUp, &Dialog().Native(), 248, 294));
  EXPECT_EQ(Dialog().ShowModal(), 1);
  EXPECT_FALSE(Dialog().Visible());
  EXPECT_EQ(playerCalls, (std::vector<std::string>{"Open", "Play", "Stop", "Close"}));
  EXPECT_EQ(PlayCaption(), "Stop");  // the caption is left as it was
}

TEST_F(SongscreenTest, HoverIgnoresCopiesAndCaptionsAndTheListClearsIt) {
  Move(Dialog(), 248, 294);  // Ready
  EXPECT_TRUE(Dialog().Label5.Hovered());
  Move(Dialog(), 289, 311);  // only Ready's shadow copy (+2, +2)
  EXPECT_TRUE(Dialog().Label5.Hovered());
  Move(Dialog(), 104, 294);  // Play/Stop: one report moves the highlight
  EXPECT_FALSE(Dialog().Label5.Hovered());
  EXPECT_TRUE(Dialog().Label15.Hovered());
  Move(Dialog(), 100, 10);  // caption line 1
  EXPECT_TRUE(Dialog().Label15.Hovered());
  Move(Dialog(), textX, RowY(1));
  EXPECT_FALSE(Dialog().Label15.Hovered());
}

TEST_F(SongscreenTest, AThumbDraggedBelowTheListScrollsItAndRepaintsTheWindow) {
  const Rectangle thumb = List().ThumbRect();
  const int x = thumb.left + thumb.Width() / 2;
  Dialog().Dispatch(MessageFor(platform::MessageKind::MouseDown, &Dialog().Native(), x, thumb.top + 2));
  auto& window = static_cast<fakes::FakeWindow&>(Dialog().Native());
  const int invalidations = window.invalidations;
  Move(Dialog(), x, 300);  // past the list's bottom edge, over the button row's caption-free ground
  EXPECT_EQ(List().TopIndex(), List().MaxTopIndex());
  EXPECT_GT(window.invalidations, invalidations);
  Dialog().Dispatch(MessageFor(platform::MessageKind::MouseUp, &Dialog().Native(), x, 300));
  Move(Dialog(), x, thumb.top + 2);  // released: moves no longer scroll
  EXPECT_EQ(List().TopIndex(), List().MaxTopIndex());
}

TEST_F(SongscreenTest, ItemsAlternateBackgroundsAndLightTheSelectedText) {
  Click(Dialog(), textX, RowY(1));
  Bitmap frame;
  Dialog().PaintTo(frame);
  EXPECT_EQ(frame.Pixel(200, 52), Rgb(0, 64, 0));   // row 0, past its text
  EXPECT_EQ(frame.Pixel(200, 73), Rgb(32, 96, 0));  // row 1
  // Row 1's first glyph (fake font at 13 px: from x = 10 + 16 + 8, rows +3 .. +15) in HoverColour.
  EXPECT_EQ(frame.Pixel(35, 71 + 5), HoverColour);
  EXPECT_EQ(frame.Pixel(35, 50 + 5), LabelColour);
  EXPECT_EQ(frame.Pixel(9, 100), Rgb(0, 0, 0));  // the plain border
}

TEST(CheckListBox, KeyboardMovesTheSelectionAndRaisesClicksOnlyOnChange) {
  CheckListBox list(0, 0, 200, 2 + 21 * 10 + 10, 21);  // ten whole rows
  for (int i = 0; i < 47; ++i) list.Add("song", i % 2 == 0);
  int clicks = 0, checks = 0;
  list.onClick = [&] { ++clicks; };
  list.onClickCheck = [&] { ++checks; };
  ASSERT_EQ(list.PageRows(), 10);
  list.KeyDown(platform::keys::down);  // from no selection: the focused item
  EXPECT_EQ(list.ItemIndex(), 0);
  list.KeyDown(platform::keys::down);
  EXPECT_EQ(list.ItemIndex(), 1);
  list.KeyDown(platform::keys::pageDown);  // to the bottom row on view
  EXPECT_EQ(list.ItemIndex(), 9);
  list.KeyDown(platform::keys::pageDown);  // then a page further, scrolling
  EXPECT_EQ(list.ItemIndex(), 18);
  EXPECT_EQ(list.TopIndex(), 9);
  list.KeyDown(platform::keys::end);
  EXPECT_EQ(list.ItemIndex(), 46);
  EXPECT_EQ(list.TopIndex(), 37);
  const int before = clicks;
  list.KeyDown(platform::keys::down);  // already last: no change, no click
  EXPECT_EQ(clicks, before);
  list.KeyDown(platform::keys::pageUp);
  EXPECT_EQ(list.ItemIndex(), 37);
  list.KeyDown(platform::keys::home);
  EXPECT_EQ(list.ItemIndex(), 0);
  EXPECT_EQ(list.TopIndex(), 0);
  list.KeyDown(platform::keys::up);
  EXPECT_EQ(list.ItemIndex(), 0);
  EXPECT_EQ(clicks, 7);
  list.KeyDown(platform::keys::space);
  EXPECT_FALSE(list.Checked(0));
  EXPECT_EQ(checks, 1);
  EXPECT_EQ(clicks, 7);
}

TEST(CheckListBox, MouseWheelAndScrollBarScrollWithinRange) {
  CheckListBox list(0, 0, 200, 222, 21);
  for (int i = 0; i < 47; ++i) list.Add("song", true);
  ASSERT_TRUE(list.HasScrollBar());
  const Rectangle bar = list.ScrollBarRect();
  EXPECT_EQ(bar, (Rectangle{182, 1, 199, 221}));
  list.MouseWheel(-2);
  EXPECT_EQ(list.TopIndex(), 6);
  list.MouseWheel(5);
  EXPECT_EQ(list.TopIndex(), 0);
  list.MouseDown(190, 5);  // up arrow at the top: stays
  EXPECT_EQ(list.TopIndex(), 0);
  list.MouseDown(190, 215);  // down arrow
  EXPECT_EQ(list.TopIndex(), 1);
  list.MouseDown(190, 200);  // track below the thumb: a page
  EXPECT_EQ(list.TopIndex(), 11);
  const Rectangle thumb = list.ThumbRect();
  list.MouseDown(190, thumb.top + 1);
  list.MouseMove(190, 300);  // dragged past the end
  list.MouseUp(190, 300);
  EXPECT_EQ(list.TopIndex(), list.MaxTopIndex());
  EXPECT_EQ(list.ItemIndex(), -1);  // scrolling selects nothing
  // A click in the items picks the row under it, counted from the top item.
  list.MouseDown(100, 1 + 21 * 2 + 5);
  EXPECT_EQ(list.ItemIndex(), list.MaxTopIndex() + 2);
}

TEST(CheckListBox, ShortListsHaveNoScrollBarAndClicksBelowTheItemsDoNothing) {
  CheckListBox list(0, 0, 200, 222, 21);
  list.Add("one", false);
  list.Add("two", true);
  int clicks = 0, doubles = 0;
  list.onClick = [&] { ++clicks; };
  list.onDoubleClick = [&] { ++doubles; };
  EXPECT_FALSE(list.HasScrollBar());
  list.MouseDown(100, 150);
  list.DoubleClick(100, 150);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(doubles, 0);
  list.MouseDown(5, 10);  // the first item's check box
  EXPECT_TRUE(list.Checked(0));
  list.DoubleClick(5, 10);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(doubles, 1);
  list.SetItemIndex(7);
  EXPECT_EQ(list.ItemIndex(), -1);
  EXPECT_FALSE(list.Checked(-1));
  EXPECT_EQ(list.Item(99), "");
}

}  // namespace
}  // namespace wobbert
