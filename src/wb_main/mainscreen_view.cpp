#include "wb_main/mainscreen_view.h"

#include "framework/application.h"

namespace wobbert {

Canvas& MainscreenView::ViewCanvas() { return window_.GetCanvas(); }

void MainscreenView::ProcessMessages() { framework::application.ProcessMessages(); }

void MainscreenView::SetCursor(platform::MouseCursor shape) { framework::application.SetCursor(shape); }

void MainscreenView::CloseAgain() { window_.Close(); }

void MainscreenView::StartAnimation() { window_.Timer1.SetEnabled(true); }

}  // namespace wobbert
