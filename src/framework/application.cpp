#include "framework/application.h"

#include <algorithm>
#include <exception>

#include "framework/form.h"
#include "framework/timer.h"
#include "platform/system.h"

namespace wobbert::framework {

Application application;

void Application::Initialize(std::unique_ptr<platform::NativeApplication> native, std::string title) {
  native_ = std::move(native);
  title_ = std::move(title);
  terminated_ = false;
}

void Application::Finalize() {
  while (!forms_.empty()) {
    forms_.back()->Hide();
    forms_.pop_back();
  }
  mainForm_ = nullptr;
  onMessage_ = nullptr;
  timers_.clear();
  native_.reset();
}

void Application::Adopt(std::unique_ptr<Form> form) {
  Form& adopted = *form;
  forms_.push_back(std::move(form));
  if (!mainForm_) mainForm_ = &adopted;
  adopted.FormCreate();
}

Form* Application::FormOf(const platform::NativeWindow* window) const {
  for (const auto& form : forms_)
    if (form->window_.get() == window) return form.get();
  return nullptr;
}

void Application::Run() {
  if (!mainForm_) return;
  mainForm_->Show();
  while (!terminated_) HandleMessage(true);
}

void Application::ProcessMessages() {
  while (!terminated_ && HandleMessage(false)) {
  }
}

bool Application::HandleMessage(bool wait) {
  platform::Message message;
  if (!native_->NextMessage(message, wait)) return false;
  bool handled = false;
  if (onMessage_) {
    // The filter may replace or remove itself while it runs.
    MessageFilter filter = onMessage_;
    filter(message, handled);
  }
  // An error that ends a handler reaches the user through the standard error report.
  try {
    if (!handled) Dispatch(message);
  } catch (const std::exception& error) {
    ShowException(error.what());
  }
  return true;
}

void Application::Dispatch(const platform::Message& message) {
  if (message.kind == platform::MessageKind::Timer) {
    if (auto it = timers_.find(message.timer); it != timers_.end()) it->second->Tick();
    return;
  }
  if (message.kind == platform::MessageKind::MediaNotice) {
    // A notice of a player that is gone by now goes nowhere.
    if (auto it = mediaReceivers_.find(message.mediaDevice); it != mediaReceivers_.end()) {
      const auto receiver = it->second;  // the receiver may unregister itself
      receiver(message.mediaNotice);
    }
    return;
  }
  Form* form = FormOf(message.window);
  if (!form) return;
  // While a form is modal, input for the other forms goes nowhere.
  const bool input = message.kind == platform::MessageKind::MouseMove ||
                     message.kind == platform::MessageKind::MouseDown ||
                     message.kind == platform::MessageKind::MouseUp ||
                     message.kind == platform::MessageKind::MouseWheel ||
                     message.kind == platform::MessageKind::KeyDown ||
                     message.kind == platform::MessageKind::SystemKeyDown ||
                     message.kind == platform::MessageKind::KeyUp ||
                     message.kind == platform::MessageKind::CloseRequest;
  if (input && !form->Modal() &&
      std::any_of(forms_.begin(), forms_.end(), [](const auto& f) { return f->Modal(); })) {
    return;
  }
  form->Dispatch(message);
}

void Application::SetCursor(platform::MouseCursor shape) {
  if (native_) native_->SetMouseCursor(shape);
}

void Application::ShowException(const std::string& message) { MessageBox(message); }

void Application::MessageBox(const std::string& text) {
  platform::CurrentSystem().ShowMessageBox(title_, text);
}

}  // namespace wobbert::framework
