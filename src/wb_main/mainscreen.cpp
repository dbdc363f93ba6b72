#include "wb_main/mainscreen.h"

#include <cstdlib>

#include "data/shared_bitmaps.h"
#include "framework/application.h"
#include "platform/media_device.h"
#include "platform/system.h"
#include "player/device_media_player.h"
#include "wb_main/figure_hop.h"
#include "wb_main/forest_scene.h"
#include "wb_main/mainscreen_view.h"
#include "wb_main/run_mode.h"
#include "wb_main/saver_playlist.h"
#include "wb_cfg/settings.h"

namespace wobbert {

std::uint8_t runMode = saverMode;
int viewWidth = 0;
int viewHeight = 0;
platform::Point startCursor;
bool sceneBuildPending = false;
bool closing = false;
bool testRun = false;
Tmainscreen* mainscreen = nullptr;

using framework::application;

Tmainscreen::Tmainscreen() : Timer1(*this) {
  color = Rgb(0, 0, 0);
  SetStyle(true, true);
  Timer1.SetEnabled(false);
  Timer1.SetInterval(40);
  Timer1.SetOnTimer([this] { Timer1Timer(); });
  MediaPlayer1 = std::make_unique<player::DeviceMediaPlayer>(platform::CreateMediaDevice());
  MediaPlayer1->SetOnNotify([this] { MediaPlayer1Notify(*MediaPlayer1); });
}

void Tmainscreen::FormShow() {
  const platform::Size screen = platform::CurrentSystem().ScreenSize();
  viewWidth = screen.width;
  viewHeight = screen.height;
  SetBounds(0, 0, viewWidth, viewHeight);
  ResetPlaylist();
  PrepareScene();
  startCursor = platform::CurrentSystem().CursorPosition();
  application.SetOnMessage(
      [this](const platform::Message& message, bool& handled) { ApplicationMessage(message, handled); });
  platform::CurrentSystem().ShowCursor(false);
}

void Tmainscreen::FormPaint() {
  if (settings.sound == soundOn) PlayNextSong(*MediaPlayer1);
  if (sceneBuildPending) {
    MainscreenView view(*this);
    BuildForest(view);
  }
  if (!closing) {
    sceneBuildPending = false;
    GetCanvas().Draw(0, 0, sceneBitmap);
  }
}

void Tmainscreen::Timer1Timer() {
  AnimationTick(GetCanvas());
  KeepMusicPlaying(*MediaPlayer1);
}

void Tmainscreen::ApplicationMessage(const platform::Message& message, bool& handled) {
  (void)handled;  // the filter only watches; every message is dispatched as usual
  application.SetCursor(platform::MouseCursor::Arrow);
  bool exitRequested = false;
  switch (message.kind) {
    case platform::MessageKind::MouseMove:
      exitRequested = std::abs(message.x - startCursor.x) > cursorTolerance ||
                      std::abs(message.y - startCursor.y) > cursorTolerance;
      break;
    case platform::MessageKind::KeyDown: exitRequested = true; break;
    // Only the user switching away ends the saver; the saver's own activation must not.
    case platform::MessageKind::ApplicationActivate: exitRequested = !message.active; break;
    default: break;
  }
  if (exitRequested) RequestExit();
}

void Tmainscreen::RequestExit() {
  if (runMode != saverMode || testRun) {
    testRun = false;
    Close();
    return;
  }
  platform::System& system = platform::CurrentSystem();
  const platform::PasswordFlag flag = system.ScreenSaverPasswordFlag();
  if (flag == platform::PasswordFlag::SettingsMissing) {
    Close();
    return;
  }
  system.ShowCursor(true);
  bool close = true;
  if (flag == platform::PasswordFlag::On) {
    close = system.VerifyScreenSaverPassword(Native().Handle()) != platform::PasswordVerdict::Rejected;
  }
  system.ShowCursor(false);
  if (close) Close();
}

void Tmainscreen::FormClose(framework::CloseAction& action) {
  (void)action;
  closing = true;
  Timer1.SetEnabled(false);
  StopMusic(*MediaPlayer1);
}

void Tmainscreen::FormHide() {
  application.SetOnMessage(nullptr);
  Timer1.SetEnabled(false);
  platform::CurrentSystem().ShowCursor(true);
}

}  // namespace wobbert
