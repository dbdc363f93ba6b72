#include "wb_song/songscreen.h"

#include <algorithm>
#include <exception>

#include "framework/application.h"
#include "midi/song_catalogue.h"
#include "midi/song_file.h"
#include "platform/media_device.h"
#include "player/device_media_player.h"
#include "toolkit/canvas.h"
#include "wb_cfg/config_picture.h"
#include "wb_cfg/settings.h"

namespace wobbert {

std::int32_t CurrentSong = 0;
Tsongscreen* songscreen = nullptr;

using framework::application;

namespace {

constexpr int songCount = static_cast<int>(kSongCount);

// Runs a handler whose failures the application reports: the handler ends where it failed.
template <typename Handler>
void Reported(Handler&& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    application.ShowException(error.what());
  }
}

}  // namespace

Tsongscreen::Tsongscreen()
    : Label16(10, 17, 368, 21, 15, Alignment::Left, 2, 2, false, true),
      Label6(10, 2, 368, 20, 15, Alignment::Left, 2, 1, false, true),
      Label15(64, 278, 80, 32, 24, Alignment::Centre, 1, 2),
      Label5(208, 278, 80, 32, 24, Alignment::Centre, 2, 2),
      CheckListBox1(9, 49, 366, 222, 21),
      buttons_{&Label5, &Label15} {
  // The two caption lines' shadow copies have sizes of their own.
  Label6.shadow.SetSize(368, 21);
  Label16.shadow.SetSize(368, 20);

  Label16.AddCopiesTo(labels_);
  Label6.AddCopiesTo(labels_);
  Label15.AddTo(labels_);
  Label5.AddTo(labels_);
  labels_.Add(Label6.top);
  labels_.Add(Label16.top);

  Label6.SetCaption("Pick one or more songs from the list below.");
  Label16.SetCaption("The screensaver will play them in random order.");
  Label15.SetCaption("Play");
  Label5.SetCaption("Ready");

  // Only the buttons' top labels report moves and take clicks; the copies and captions don't.
  Label15.SetReporting(false, true);
  Label5.SetReporting(false, true);
  Label15.SetClick([this] { Label15Click(); }, false);
  Label5.SetClick([this] { Label5Click(); }, false);

  CheckListBox1.onDrawItem = [this](Bitmap& surface, int index, const Rectangle& rect, CheckListItemState state) {
    CheckListBox1DrawItem(surface, index, rect, state);
  };
  CheckListBox1.onClick = [this] { CheckListBox1Click(); };
  CheckListBox1.onDoubleClick = [this] { CheckListBox1DblClick(); };
  // The preview player's completion notices have no handler.
  MediaPlayer1 = std::make_unique<player::DeviceMediaPlayer>(platform::CreateMediaDevice());
}

void Tsongscreen::FormCreate() {
  SetBounds(257, 135, songlistClientWidth, songlistClientHeight);
  CheckListBox1.colour = evenItemColour;
  CheckListBox1.Clear();
  for (int i = 0; i < songCount; ++i)
    CheckListBox1.Add(SongTitles[static_cast<std::size_t>(i)], settings.songPicked[static_cast<std::size_t>(i)] == 1);
}

void Tsongscreen::FormShow() {
  for (OutlinedLabel* label : {&Label5, &Label15, &Label6, &Label16}) label->top.colour = LabelColour;
  SetCaption("Wobbert - Songlist");
  // The list is first in the tab order, so it has the focus when the dialog opens.
  CheckListBox1.focused = true;
}

void Tsongscreen::PaintTo(Bitmap& target) const {
  target = songlistBackground;
  target.SetSize(songlistClientWidth, songlistClientHeight);
  labels_.Paint(target);
  CheckListBox1.Paint(target);
}

void Tsongscreen::FormPaint() {
  PaintTo(frame_);
  GetCanvas().Draw(0, 0, frame_);
}

void Tsongscreen::CheckListBox1DrawItem(Bitmap& surface, int index, const Rectangle& rect,
                                        CheckListItemState state) const {
  const Color background = index % 2 != 0 ? oddItemColour : evenItemColour;
  const Color text = state.selected || state.focused ? HoverColour : LabelColour;
  Canvas(surface).FillRect(rect, background);
  const platform::FontSpec font = LabelFont(songListFontHeight);
  BlendMask(surface, platform::CurrentTextRenderer().Rasterise(font, CheckListBox1.Item(index)), rect.left + 8,
            rect.top, text, {0, 0, surface.Width(), surface.Height()});
}

void Tsongscreen::SetPlayCaption(const char* caption) { Label15.SetCaption(caption); }

void Tsongscreen::CheckListBox1Click() {
  for (int i = 0; i < songCount; ++i)
    settings.songPicked[static_cast<std::size_t>(i)] = CheckListBox1.Checked(i) ? 1 : 0;
  if (CheckListBox1.ItemIndex() == CurrentSong) return;
  SetPlayCaption("Play");
  if (MediaPlayer1 && MediaPlayer1->IsPlaying()) MediaPlayer1->Stop();
}

void Tsongscreen::CheckListBox1DblClick() {
  if (CheckListBox1.ItemIndex() == CurrentSong) return;
  Reported([this] {
    if (MediaPlayer1 && MediaPlayer1->IsPlaying()) MediaPlayer1->Stop();
    SetPlayCaption("Stop");
    PlaySong(CheckListBox1.ItemIndex());
  });
}

void Tsongscreen::Label15Click() {
  Reported([this] {
    if (Label15.top.Caption() == "Play") {
      SetPlayCaption("Stop");
      PlaySong(CheckListBox1.ItemIndex());
    } else {
      SetPlayCaption("Play");
      if (MediaPlayer1 && MediaPlayer1->IsPlaying()) MediaPlayer1->Stop();
    }
  });
}

void Tsongscreen::Label5Click() { SetModalResult(1); }

void Tsongscreen::FormClose(framework::CloseAction& action) {
  (void)action;
  if (MediaPlayer1 && MediaPlayer1->IsPlaying()) {
    MediaPlayer1->Stop();
    MediaPlayer1->Close();
  }
}

void Tsongscreen::PlaySong(int i) {
  i = std::clamp(i, 0, songCount - 1);
  CurrentSong = i;
  if (!WriteSongFile(static_cast<std::size_t>(i))) {
    settings.sound = "No";
    return;
  }
  if (!MediaPlayer1) return;
  MediaPlayer1->SetFileName(TemporaryMidiFilePath());
  MediaPlayer1->Open();
  MediaPlayer1->Play();
}

void Tsongscreen::Label15MouseMove(const void* sender) {
  if (ApplyHoverRule(sender, buttons_)) Invalidate();
}

void Tsongscreen::FormActivate() {
  CheckListBox1.focused = true;
  Invalidate();
}

void Tsongscreen::FormDeactivate() {
  CheckListBox1.focused = false;
  Invalidate();
}

void Tsongscreen::FormMouseMove(int x, int y) {
  // A thumb dragged past the list's edge still scrolls it, and the window must show that.
  const int topIndex = CheckListBox1.TopIndex();
  CheckListBox1.MouseMove(x, y);
  if (CheckListBox1.TopIndex() != topIndex) Invalidate();
  if (CheckListBox1.Box().Contains(x, y)) {
    Label15MouseMove(&CheckListBox1);
    Invalidate();
    return;
  }
  const Label* label = labels_.LabelAt(x, y);
  // The caption lines and the buttons' copies swallow the move without reporting it.
  if (label && !label->reportsMouseMove) return;
  Label15MouseMove(label ? static_cast<const void*>(label) : static_cast<const void*>(this));
}

void Tsongscreen::FormMouseDown(platform::MouseButton button, int x, int y) {
  pressed_ = nullptr;
  if (button != platform::MouseButton::Left) return;
  if (CheckListBox1.Box().Contains(x, y)) {
    CheckListBox1.MouseDown(x, y);
    Invalidate();
    return;
  }
  pressed_ = labels_.LabelAt(x, y);
}

void Tsongscreen::FormMouseUp(platform::MouseButton button, int x, int y) {
  CheckListBox1.MouseUp(x, y);
  Label* pressed = std::exchange(pressed_, nullptr);
  if (button != platform::MouseButton::Left || !pressed || labels_.LabelAt(x, y) != pressed ||
      CheckListBox1.Box().Contains(x, y))
    return;
  if (pressed->onClick) {
    pressed->onClick();
    Invalidate();
  }
}

void Tsongscreen::FormDoubleClick(int x, int y) {
  if (!CheckListBox1.Box().Contains(x, y)) return;
  CheckListBox1.DoubleClick(x, y);
  Invalidate();
}

void Tsongscreen::FormMouseWheel(int notches, int x, int y) {
  (void)x, (void)y;
  CheckListBox1.MouseWheel(notches);
  Invalidate();
}

void Tsongscreen::FormKeyDown(int key) {
  if (!CheckListBox1.focused) return;
  CheckListBox1.KeyDown(key);
  Invalidate();
}

}  // namespace wobbert
