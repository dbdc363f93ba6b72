// The framework above the seam: main form, close and hide, the message filter, re-entrant
// message processing, timers and modal forms.
#include <gtest/gtest.h>

#include "fakes/program_fixture.h"
#include "framework/application.h"
#include "framework/form.h"
#include "framework/timer.h"

namespace wobbert::framework {
namespace {

using platform::MessageKind;

// A form that logs its events.
class LoggingForm : public Form {
 public:
  LoggingForm(std::vector<std::string>& log, std::string name) : log_(log), name_(std::move(name)) {}
  std::function<void()> onPaint;

 protected:
  void FormCreate() override { log_.push_back(name_ + ".Create"); }
  void FormShow() override { log_.push_back(name_ + ".Show"); }
  void FormPaint() override {
    log_.push_back(name_ + ".Paint");
    if (onPaint) onPaint();
  }
  void FormClose(CloseAction&) override { log_.push_back(name_ + ".Close"); }
  void FormHide() override { log_.push_back(name_ + ".Hide"); }
  void FormKeyDown(int key) override { log_.push_back(name_ + ".Key" + std::to_string(key)); }
  void FormDeactivate() override { log_.push_back(name_ + ".Deactivate"); }

 private:
  std::vector<std::string>& log_;
  std::string name_;
};

class ApplicationTest : public fakes::ProgramTest {
 protected:
  void Post(MessageKind kind, Form& form, int key = 0) {
    platform::Message message = MessageFor(kind, &form.Native());
    message.key = key;
    native->Post(message);
  }
  std::vector<std::string> log;
};

TEST_F(ApplicationTest, TheFirstFormIsTheMainFormAndClosingItEndsTheLoop) {
  auto& main = application.CreateForm<LoggingForm>(log, "main");
  auto& other = application.CreateForm<LoggingForm>(log, "other");
  EXPECT_EQ(application.MainForm(), &main);
  Post(MessageKind::CloseRequest, main);
  application.Run();
  EXPECT_FALSE(native->ranDry);
  EXPECT_EQ(log, (std::vector<std::string>{"main.Create", "other.Create", "main.Show", "main.Close"}));
  EXPECT_FALSE(other.Visible());
  // Teardown hides what is visible, newest form first.
  other.Show();
  application.Finalize();
  EXPECT_EQ(std::vector<std::string>(log.end() - 3, log.end()),
            (std::vector<std::string>{"other.Show", "other.Hide", "main.Hide"}));
  SetUp();
}

TEST_F(ApplicationTest, ClosingAnotherFormHidesIt) {
  application.CreateForm<LoggingForm>(log, "main");
  auto& other = application.CreateForm<LoggingForm>(log, "other");
  other.Show();
  other.Close();
  EXPECT_FALSE(other.Visible());
  EXPECT_FALSE(application.Terminated());
  EXPECT_EQ(std::vector<std::string>(log.end() - 2, log.end()),
            (std::vector<std::string>{"other.Close", "other.Hide"}));
}

TEST_F(ApplicationTest, TheFilterSeesEveryMessageBeforeItsFormAndMayRemoveItself) {
  auto& main = application.CreateForm<LoggingForm>(log, "main");
  int seen = 0;
  application.SetOnMessage([&](const platform::Message& message, bool& handled) {
    log.push_back("filter");
    if (++seen == 2) handled = message.key == 2;  // a handled message goes no further
    if (seen == 3) application.SetOnMessage(nullptr);
  });
  for (int key = 1; key <= 4; ++key) Post(MessageKind::KeyDown, main, key);
  application.ProcessMessages();
  EXPECT_EQ(std::vector<std::string>(log.begin() + 1, log.end()),
            (std::vector<std::string>{"filter", "main.Key1", "filter", "filter", "main.Key3", "main.Key4"}));
}

TEST_F(ApplicationTest, ProcessMessagesRunsFromInsideAHandlerAndReturnsWhenTheQueueIsEmpty) {
  auto& main = application.CreateForm<LoggingForm>(log, "main");
  main.onPaint = [&] {
    Post(MessageKind::KeyDown, main, 7);
    application.ProcessMessages();
    log.push_back("paint done");
  };
  Post(MessageKind::Paint, main);
  application.ProcessMessages();
  EXPECT_EQ(std::vector<std::string>(log.begin() + 1, log.end()),
            (std::vector<std::string>{"main.Paint", "main.Key7", "paint done"}));
  EXPECT_FALSE(native->ranDry);
}

TEST_F(ApplicationTest, ATimerTicksOnlyWhileEnabledWithAHandler) {
  auto& main = application.CreateForm<LoggingForm>(log, "main");
  Timer timer(main);
  timer.SetEnabled(false);
  timer.SetInterval(40);
  int ticks = 0;
  timer.SetOnTimer([&] { ++ticks; });
  EXPECT_TRUE(native->timers.empty());
  timer.SetEnabled(true);
  ASSERT_EQ(native->timers.size(), 1u);
  const int id = native->timers.begin()->first;
  EXPECT_EQ(native->timers.begin()->second.interval, 40);
  platform::Message tick = MessageFor(MessageKind::Timer, &main.Native());
  tick.timer = id;
  native->Post(tick);
  native->Post(tick);
  application.ProcessMessages();
  EXPECT_EQ(ticks, 2);
  timer.SetEnabled(false);
  EXPECT_TRUE(native->timers.empty());
  native->Post(tick);  // a tick that was already queued
  application.ProcessMessages();
  EXPECT_EQ(ticks, 2);
}

TEST_F(ApplicationTest, AModalFormKeepsInputFromTheOthersUntilItCloses) {
  auto& main = application.CreateForm<LoggingForm>(log, "main");
  auto& dialog = application.CreateForm<LoggingForm>(log, "dialog");
  main.Show();
  Post(MessageKind::KeyDown, main, 1);
  Post(MessageKind::Paint, main);
  Post(MessageKind::KeyDown, dialog, 2);
  Post(MessageKind::CloseRequest, dialog);
  const int result = dialog.ShowModal();
  EXPECT_EQ(result, -1);
  EXPECT_FALSE(dialog.Visible());
  EXPECT_EQ(std::vector<std::string>(log.begin() + 3, log.end()),
            (std::vector<std::string>{"dialog.Show", "main.Paint", "dialog.Key2", "dialog.Close", "dialog.Hide"}));
}

}  // namespace
}  // namespace wobbert::framework
