#include "framework/form.h"

#include <cassert>

#include "framework/application.h"

namespace wobbert::framework {

Form::Form() : window_(application.Native().CreateWindow()) {
  // The backend cannot go on without a window of its own; there is nothing to fall back on.
  assert(window_);
}

Form::~Form() = default;

void Form::SetBounds(int left, int top, int width, int height) {
  window_->SetBounds({left, top, left + width, top + height});
}

void Form::Show() {
  if (window_->Visible()) return;
  FormShow();
  window_->Show();
}

void Form::Hide() {
  if (!window_->Visible()) return;
  window_->Hide();
  FormHide();
}

void Form::Close() {
  if (modal_) {
    if (modalResult_ == 0) modalResult_ = -1;
    return;
  }
  CloseAction action = CloseAction::Hide;
  FormClose(action);
  if (action == CloseAction::None) return;
  if (application.MainForm() == this) {
    application.Terminate();
  } else {
    Hide();
  }
}

int Form::ShowModal() {
  modal_ = true;
  modalResult_ = 0;
  Show();
  while (modalResult_ == 0 && !application.Terminated()) application.HandleMessage(true);
  modal_ = false;
  CloseAction action = CloseAction::Hide;
  FormClose(action);
  Hide();
  return modalResult_;
}

void Form::Dispatch(const platform::Message& message) {
  using platform::MessageKind;
  switch (message.kind) {
    case MessageKind::Paint:
      GetCanvas().FillRect({0, 0, ClientWidth(), ClientHeight()}, color);
      FormPaint();
      break;
    case MessageKind::MouseMove: FormMouseMove(message.x, message.y); break;
    case MessageKind::MouseDown:
      FormMouseDown(message.button, message.x, message.y);
      if (message.clicks >= 2 && message.button == platform::MouseButton::Left)
        FormDoubleClick(message.x, message.y);
      break;
    case MessageKind::MouseWheel: FormMouseWheel(message.wheel, message.x, message.y); break;
    case MessageKind::MouseUp: FormMouseUp(message.button, message.x, message.y); break;
    case MessageKind::KeyDown: FormKeyDown(message.key); break;
    case MessageKind::Activate:
      if (message.active) FormActivate();
      else FormDeactivate();
      break;
    case MessageKind::CloseRequest: Close(); break;
    case MessageKind::SystemKeyDown:
    case MessageKind::KeyUp:
    case MessageKind::ApplicationActivate:
    case MessageKind::Timer:
    case MessageKind::MediaNotice: break;
  }
}

}  // namespace wobbert::framework
