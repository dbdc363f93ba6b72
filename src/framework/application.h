// Application: the program's application object, one per process (`application`).
//
// It owns the backend's NativeApplication, the windows (forms) made with CreateForm and the
// message loop. The first form created is the main form: Run shows it and takes messages until
// it closes (or Terminate). Every message taken from the queue passes the application-wide
// filter, when one is set, before it is dispatched to its form or timer; ProcessMessages does the
// same for whatever is queued, without waiting, and may be called from inside a handler. An
// expected failure inside a handler is shown with ShowException, the standard error report: a
// message box with the application's title as its caption.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/native_application.h"

namespace wobbert::framework {

class Form;
class Timer;

class Application {
 public:
  using MessageFilter = std::function<void(const platform::Message& message, bool& handled)>;

  // Takes the backend; `title` is the default caption of message boxes (the program's name).
  void Initialize(std::unique_ptr<platform::NativeApplication> native, std::string title);
  bool Initialized() const { return native_ != nullptr; }
  // Destroys the forms, newest first (a visible form is hidden first, so its FormHide runs),
  // then the backend. The object can be initialised again afterwards.
  void Finalize();

  platform::NativeApplication& Native() { return *native_; }

  const std::string& Title() const { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }

  // Makes a form of type T, remembers it and runs its FormCreate. The first is the main form.
  template <typename T, typename... Arguments>
  T& CreateForm(Arguments&&... arguments) {
    auto form = std::make_unique<T>(std::forward<Arguments>(arguments)...);
    T& result = *form;
    Adopt(std::move(form));
    return result;
  }
  Form* MainForm() const { return mainForm_; }

  // The filter sees every message before it is dispatched; setting it to nullptr removes it.
  void SetOnMessage(MessageFilter filter) { onMessage_ = std::move(filter); }
  bool HasMessageFilter() const { return static_cast<bool>(onMessage_); }

  // Shows the main form and runs the loop until Terminate. Without a main form it returns at once.
  void Run();
  void ProcessMessages();
  // Takes and dispatches one message; false when none was queued and `wait` is off.
  bool HandleMessage(bool wait);
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }

  void SetCursor(platform::MouseCursor shape);
  void ShowException(const std::string& message);
  void MessageBox(const std::string& text);

  // For Timer and Form.
  void RegisterTimer(int id, Timer* timer) { timers_[id] = timer; }
  void UnregisterTimer(int id) { timers_.erase(id); }
  // For media players: MediaNotice messages with this key go to `receiver`.
  void RegisterMediaReceiver(std::uintptr_t key, std::function<void(int notice)> receiver) {
    mediaReceivers_[key] = std::move(receiver);
  }
  void UnregisterMediaReceiver(std::uintptr_t key) { mediaReceivers_.erase(key); }

 private:
  void Adopt(std::unique_ptr<Form> form);
  void Dispatch(const platform::Message& message);
  Form* FormOf(const platform::NativeWindow* window) const;

  std::unique_ptr<platform::NativeApplication> native_;
  std::vector<std::unique_ptr<Form>> forms_;
  std::map<int, Timer*> timers_;
  std::map<std::uintptr_t, std::function<void(int notice)>> mediaReceivers_;
  Form* mainForm_ = nullptr;
  MessageFilter onMessage_;
  std::string title_;
  bool terminated_ = false;
};

extern Application application;

}  // namespace wobbert::framework
