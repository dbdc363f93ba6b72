// Tsongscreen: the song list dialog (`songscreen`), shown modally from the configuration dialog.
//
// A check list of the 47 song titles, ticked from `songPicked` once when the dialog is created;
// every click in the list copies all 47 ticks back into `songPicked`. A double-click or the
// Play/Stop button previews a song on the dialog's own player; Ready closes the dialog. Two
// outlined caption lines explain the list. The dialog's font, which the list uses, is the
// dialogs' face at 13 pixels.
//
// Every OutlinedLabel is named after its top label. The whole client area is composed in a frame
// bitmap, so the dialog can be painted off-screen with PaintTo.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "framework/form.h"
#include "player/media_player.h"
#include "wb_cfg/outlined_label.h"
#include "wb_song/check_list_box.h"

namespace wobbert {

// The song last started from the song list; 0 before any preview.
extern std::int32_t CurrentSong;

inline constexpr Color evenItemColour = Rgb(0, 64, 0);
inline constexpr Color oddItemColour = Rgb(32, 96, 0);
inline constexpr int songListFontHeight = 13;

class Tsongscreen : public framework::Form {
 public:
  Tsongscreen();

  OutlinedLabel Label16;  // line 2
  OutlinedLabel Label6;   // line 1
  OutlinedLabel Label15;  // Play/Stop
  OutlinedLabel Label5;   // Ready
  CheckListBox CheckListBox1;
  // The preview player, on a device from platform::CreateMediaDevice.
  std::unique_ptr<player::MediaPlayer> MediaPlayer1;

  void CheckListBox1DrawItem(Bitmap& surface, int index, const Rectangle& rect, CheckListItemState state) const;
  void CheckListBox1Click();
  void CheckListBox1DblClick();
  void Label15Click();
  void Label5Click();
  void PlaySong(int i);

  void PaintTo(Bitmap& target) const;
  const std::array<OutlinedLabel*, 2>& Buttons() const { return buttons_; }

 protected:
  void FormCreate() override;
  void FormShow() override;
  void FormPaint() override;
  void FormClose(framework::CloseAction& action) override;
  void FormActivate() override;
  void FormDeactivate() override;
  void FormMouseMove(int x, int y) override;
  void FormMouseDown(platform::MouseButton button, int x, int y) override;
  void FormMouseUp(platform::MouseButton button, int x, int y) override;
  void FormDoubleClick(int x, int y) override;
  void FormMouseWheel(int notches, int x, int y) override;
  void FormKeyDown(int key) override;

 private:
  // Label15MouseMove: the hover rule for a move reported by `sender`.
  void Label15MouseMove(const void* sender);
  void SetPlayCaption(const char* caption);

  LabelStack labels_;
  std::array<OutlinedLabel*, 2> buttons_;
  Label* pressed_ = nullptr;
  Bitmap frame_;
};

extern Tsongscreen* songscreen;

}  // namespace wobbert
