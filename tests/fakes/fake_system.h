// FakeSystem and FakeProfile: the system seam as tests set it up, recording what the program asked.
//
// Every call appends a line to `calls` (shared with FakeNativeApplication when given the same
// log), so tests can check the order of events across the seam.
#pragma once

#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/profile.h"
#include "platform/system.h"

namespace wobbert::fakes {

class FakeInstanceLock final : public platform::InstanceLock {
 public:
  explicit FakeInstanceLock(std::vector<std::string>& calls) : calls_(calls) {}
  ~FakeInstanceLock() override { calls_.push_back("ReleaseInstanceLock"); }

 private:
  std::vector<std::string>& calls_;
};

class FakeSystem final : public platform::System {
 public:
  explicit FakeSystem(std::vector<std::string>& log) : calls(log) {}

  std::string TemporaryDirectory() override { return temporaryDirectory; }
  platform::Size ScreenSize() override { return screenSize; }
  int ColorDepth() override {
    calls.push_back("ColorDepth");
    return colorDepth;
  }
  platform::Point CursorPosition() override { return cursorPosition; }
  int ShowCursor(bool show) override {
    calls.push_back(show ? "ShowCursor(true)" : "ShowCursor(false)");
    return showCount += show ? 1 : -1;
  }
  void ShowMessageBox(const std::string& caption, const std::string& text) override {
    calls.push_back("MessageBox");
    messageBoxes.emplace_back(caption, text);
  }
  platform::InstanceLockAttempt AcquireInstanceLock(const std::string& name) override {
    calls.push_back("AcquireInstanceLock(" + name + ")");
    platform::InstanceLockAttempt attempt;
    attempt.outcome = lockOutcome;
    if (lockOutcome == platform::InstanceLockAttempt::Outcome::Acquired)
      attempt.lock = std::make_unique<FakeInstanceLock>(calls);
    return attempt;
  }
  platform::PasswordFlag ScreenSaverPasswordFlag() override {
    calls.push_back("ScreenSaverPasswordFlag");
    return passwordFlag;
  }
  platform::PasswordVerdict VerifyScreenSaverPassword(platform::WindowHandle window) override {
    calls.push_back("VerifyScreenSaverPassword(" + std::to_string(window) + ")");
    return passwordVerdict;
  }
  platform::PasswordChangeFacility FindPasswordChange() override {
    calls.push_back("FindPasswordChange");
    return passwordChange;
  }
  void ChangePassword(platform::WindowHandle parent) override {
    calls.push_back("ChangePassword(" + std::to_string(parent) + ")");
  }
  void OpenWebAddress(platform::WindowHandle owner, const std::string& address) override {
    calls.push_back("OpenWebAddress(" + std::to_string(owner) + ", " + address + ")");
  }
  void Sleep(int milliseconds) override { calls.push_back("Sleep(" + std::to_string(milliseconds) + ")"); }

  std::vector<std::string>& calls;
  std::string temporaryDirectory;
  platform::Size screenSize{640, 480};
  int colorDepth = 24;
  platform::Point cursorPosition{100, 200};
  int showCount = 0;
  std::vector<std::pair<std::string, std::string>> messageBoxes;
  platform::InstanceLockAttempt::Outcome lockOutcome = platform::InstanceLockAttempt::Outcome::Acquired;
  platform::PasswordFlag passwordFlag = platform::PasswordFlag::SettingsMissing;
  platform::PasswordVerdict passwordVerdict = platform::PasswordVerdict::Unavailable;
  platform::PasswordChangeFacility passwordChange = platform::PasswordChangeFacility::Missing;
};

// Keys in memory; names compared as given (the tests use the program's own spelling). Writes are
// logged; the write numbered failAtWrite (counting from 0) and all after it fail.
class FakeProfile final : public platform::Profile {
 public:
  std::string ReadString(const std::string& fileName, const std::string& section,
                         const std::string& key, const std::string& defaultValue) override {
    const auto it = values.find({fileName, section, key});
    return it == values.end() ? defaultValue : it->second;
  }
  bool WriteString(const std::string& fileName, const std::string& section, const std::string& key,
                   const std::string& value) override {
    if (static_cast<int>(writes.size()) >= failAtWrite) return false;
    writes.push_back({fileName, section, key, value});
    values[{fileName, section, key}] = value;
    return true;
  }

  using Key = std::tuple<std::string, std::string, std::string>;
  struct Write {
    std::string fileName, section, key, value;
  };
  std::map<Key, std::string> values;
  std::vector<Write> writes;
  int failAtWrite = 1 << 30;
};

// Installs the fakes for the life of the object.
class InstalledSystem {
 public:
  InstalledSystem(platform::System& system, platform::Profile& profile) {
    platform::InstallSystem(&system);
    platform::InstallProfile(&profile);
  }
  ~InstalledSystem() {
    platform::InstallSystem(nullptr);
    platform::InstallProfile(nullptr);
  }
  InstalledSystem(const InstalledSystem&) = delete;
  InstalledSystem& operator=(const InstalledSystem&) = delete;
};

}  // namespace wobbert::fakes
