// ProgramTest: a test fixture with the fake system, profile and application installed and the
// program's globals reset; the application's loop ends when the fake queue runs dry.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fakes/fake_native_application.h"
#include "fakes/fake_system.h"
#include "framework/application.h"
#include "wb_main/mainscreen.h"
#include "wb_main/run_mode.h"

namespace wobbert::fakes {

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGlobals();
    auto fake = std::make_unique<FakeNativeApplication>(calls);
    native = fake.get();
    native->whenEmpty = [] { framework::application.Terminate(); };
    framework::application.Initialize(std::move(fake), "wobbert");
  }
  void TearDown() override {
    framework::application.Finalize();
    ResetGlobals();
  }

  static void ResetGlobals() {
    runMode = saverMode;
    testRun = false;
    closing = false;
    sceneBuildPending = false;
    mainscreen = nullptr;
  }

  static platform::Message MessageFor(platform::MessageKind kind, platform::NativeWindow* window,
                                      int x = 0, int y = 0) {
    platform::Message message;
    message.kind = kind;
    message.window = window;
    message.x = x;
    message.y = y;
    return message;
  }

  int Count(const std::string& call) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
  }
  // Position of the first such call, or -1.
  int IndexOf(const std::string& call) const {
    const auto it = std::find(calls.begin(), calls.end(), call);
    return it == calls.end() ? -1 : static_cast<int>(it - calls.begin());
  }

  std::vector<std::string> calls;
  FakeSystem system{calls};
  FakeProfile profile;
  InstalledSystem installed{system, profile};
  FakeNativeApplication* native = nullptr;
};

}  // namespace wobbert::fakes
