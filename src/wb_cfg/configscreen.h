// Tconfigscreen: the configuration dialog (`configscreen`), the main window of the configure mode.
//
// An about block, three option rows (trees, Xmas Joy, sound), the Songlist button, a link to the
// maker's web page and the Test, Cancel and OK buttons, all outlined text over the tree picture
// of config_picture.h. Option clicks change the shared `settings` record at once; only OK and
// Test write it to the file. Test shows the saver window (`mainscreen`) as a test run; Songlist
// shows the song list (`songscreen`) modally. Closing the dialog ends the program.
//
// Every OutlinedLabel is named after its top label. The whole client area is composed in a frame
// bitmap, so the dialog can be painted off-screen with PaintTo.
#pragma once

#include <array>

#include "framework/form.h"
#include "wb_cfg/outlined_label.h"

namespace wobbert {

// The maker's web page and the about lines under the title.
inline constexpr const char* makerWebPage = "https://wobbert.example.org/";
inline constexpr std::array<const char*, 4> aboutLines = {
    "A Christmas screen saver, 2026",
    "by the Wobbert authors",
    "wobbert@example.org",
    "wobbert.example.org",
};

class Tconfigscreen : public framework::Form {
 public:
  Tconfigscreen();

  OutlinedLabel Label45;  // web link
  OutlinedLabel Label5;   // Test
  OutlinedLabel Label10;  // Cancel
  OutlinedLabel Label15;  // OK
  OutlinedLabel Label20;  // snow/tree mode value
  OutlinedLabel Label70;  // title
  OutlinedLabel Label75;  // about line 1
  OutlinedLabel Label90;  // "Trees: "
  OutlinedLabel Label25;  // sound value
  OutlinedLabel Label30;  // "Sound: "
  OutlinedLabel Label35;  // Songlist
  OutlinedLabel Label40;  // about line 2
  OutlinedLabel Label50;  // about line 3
  OutlinedLabel Label55;  // about line 4
  OutlinedLabel Label60;  // Xmas Joy value
  OutlinedLabel Label65;  // "Xmas Joy: "

  void Label6Click();   // Test
  void Label4Click();   // Cancel
  void Label5Click();   // OK
  void Label20Click();  // next snow mode
  void Label25Click();  // toggle sound
  void Label60Click();  // toggle Xmas Joy
  void Label35Click();  // song list
  void Label45Click();  // web page

  // The client area as FormPaint draws it.
  void PaintTo(Bitmap& target) const;
  const LabelStack& Labels() const { return labels_; }
  // The buttons in the order the hover rule visits them.
  const std::array<OutlinedLabel*, 8>& Buttons() const { return buttons_; }

 protected:
  void FormCreate() override;
  void FormShow() override;
  void FormPaint() override;
  void FormClose(framework::CloseAction& action) override;
  void FormMouseMove(int x, int y) override;
  void FormMouseDown(platform::MouseButton button, int x, int y) override;
  void FormMouseUp(platform::MouseButton button, int x, int y) override;

 private:
  LabelStack labels_;
  std::array<OutlinedLabel*, 8> buttons_;
  Label* pressed_ = nullptr;
  bool shownBefore_ = false;
  Bitmap frame_;
};

extern Tconfigscreen* configscreen;

}  // namespace wobbert
