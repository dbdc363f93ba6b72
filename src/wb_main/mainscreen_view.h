// MainscreenView: the saver window as the forest build and the tick see it (saver_view.h).
//
// Messages go through the application's loop, so an input during the build reaches the window's
// message filter and may close it; the cursor is the application's; the end of the build closes
// the window again or enables Timer1.
#pragma once

#include "wb_main/mainscreen.h"
#include "wb_main/saver_view.h"

namespace wobbert {

class MainscreenView final : public SaverView {
 public:
  explicit MainscreenView(Tmainscreen& window) : window_(window) {}

  Canvas& ViewCanvas() override;
  void ProcessMessages() override;
  void SetCursor(platform::MouseCursor shape) override;
  void CloseAgain() override;
  void StartAnimation() override;

 private:
  Tmainscreen& window_;
};

}  // namespace wobbert
