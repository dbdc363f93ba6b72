// Tmainscreen: the saver window (`mainscreen`), its lifecycle and its end.
//
// A borderless, stay-on-top black window that covers the screen when shown, hides the cursor and
// installs ApplicationMessage as the application's message filter. A mouse movement of more than
// 5 pixels from the position at show time (in either axis), a key press (without Alt) or the
// application losing activation calls RequestExit, which closes the window, after the system's
// screen-saver password check in the saver run mode. Closing stops the timer and the music;
// hiding removes the filter and shows the cursor again. In saver mode the window is the main
// window, so closing it ends the program; in a test run (`testRun`) it is only hidden.
#pragma once

#include <memory>

#include "framework/form.h"
#include "framework/timer.h"
#include "platform/native_application.h"
#include "player/media_player.h"

namespace wobbert {

// Screen size, set when the saver window is shown.
extern int viewWidth;
extern int viewHeight;
// Cursor position in screen coordinates when the saver window was shown.
extern platform::Point startCursor;
// The next paint builds the forest.
extern bool sceneBuildPending;
// Set when the saver window closes; cleared when a forest build starts.
extern bool closing;
// Set by the configuration dialog's Test button; RequestExit clears it.
extern bool testRun;

class Tmainscreen : public framework::Form {
 public:
  Tmainscreen();

  framework::Timer Timer1;
  // The window's own player, on a device from platform::CreateMediaDevice.
  std::unique_ptr<player::MediaPlayer> MediaPlayer1;

  void ApplicationMessage(const platform::Message& message, bool& handled);
  void RequestExit();
  // The 40 ms animation tick.
  void Timer1Timer();

 protected:
  void FormShow() override;
  void FormPaint() override;
  void FormClose(framework::CloseAction& action) override;
  void FormHide() override;
};

extern Tmainscreen* mainscreen;

// Largest distance in x or in y the cursor may move from `startCursor` without ending the saver.
inline constexpr int cursorTolerance = 5;

}  // namespace wobbert
