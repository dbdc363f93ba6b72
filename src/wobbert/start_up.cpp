#include "wobbert/start_up.h"

#include <cmath>
#include <filesystem>

#include "data/pictures.h"
#include "data/shared_bitmaps.h"
#include "framework/application.h"
#include "toolkit/random.h"
#include "toolkit/temp_directory.h"
#include "wb_cfg/configscreen.h"
#include "wb_cfg/settings.h"
#include "wb_main/mainscreen.h"
#include "wb_main/run_mode.h"
#include "wb_song/songscreen.h"
#include "wobbert/command_line.h"
#include "wobbert/preview_loop.h"

namespace wobbert {

std::unique_ptr<platform::InstanceLock> instanceSemaphore;

using framework::application;

namespace {

int ChangePassword(const std::string& programName) {
  platform::System& system = platform::CurrentSystem();
  const platform::PasswordChangeFacility facility = system.FindPasswordChange();
  if (facility == platform::PasswordChangeFacility::Missing) return exitNormal;
  const auto parent = ParseWindowHandle(commandArg2);
  if (!parent) {
    system.ShowMessageBox(programName, parent.ErrorMessage());
    return exitBadArgument;
  }
  if (facility == platform::PasswordChangeFacility::Present) system.ChangePassword(parent.Value());
  return exitNormal;
}

void DeleteTemporarySongFile() {
  std::error_code ignored;
  std::filesystem::remove(TempDirectory() + "tmp.mid", ignored);
}

// What the run made, in reverse order.
void TearDown() {
  application.Finalize();
  mainscreen = nullptr;
  songscreen = nullptr;
  configscreen = nullptr;
  ResetSharedBitmaps();
  instanceSemaphore.reset();
}

}  // namespace

bool PassesColourTest(int bitsPerPixel) { return std::pow(2.0, bitsPerPixel) >= 257.0; }

int RunProgram(const std::vector<std::string>& arguments, const ApplicationOpener& openApplication,
               const std::string& programName) {
  commandArg1 = UpperCase(arguments.size() > 0 ? arguments[0] : "");
  commandArg2 = UpperCase(arguments.size() > 1 ? arguments[1] : "");
  runMode = ChooseRunMode(commandArg1);

  if (runMode == passwordMode) return ChangePassword(programName);

  platform::System& system = platform::CurrentSystem();
  instanceSemaphore.reset();
  if (runMode != previewMode) {
    platform::InstanceLockAttempt attempt = system.AcquireInstanceLock(instanceLockName);
    if (attempt.outcome == platform::InstanceLockAttempt::Outcome::HeldElsewhere) return exitNormal;
    instanceSemaphore = std::move(attempt.lock);
  }

  auto native = openApplication();
  if (!native) {
    system.ShowMessageBox(programName, native.ErrorMessage());
    TearDown();
    return exitFailure;
  }
  application.Initialize(std::move(native).Value(), programName);

  if (!PassesColourTest(system.ColorDepth())) {
    application.MessageBox(colourRefusal);
    TearDown();
    return exitFailure;
  }

  Randomize();
  LoadAllPictures();
  LoadSettings();

  switch (runMode) {
    case previewMode: {
      const auto host = ParseWindowHandle(commandArg2);
      if (!host) {
        application.ShowException(host.ErrorMessage());
        TearDown();
        return exitBadArgument;
      }
      PreviewLoop(host.Value());
      TearDown();
      return exitNormal;
    }
    case saverMode:
      application.SetTitle("Wobbert");
      mainscreen = &application.CreateForm<Tmainscreen>();
      break;
    default:
      // The title stays the program's name in this mode.
      configscreen = &application.CreateForm<Tconfigscreen>();
      songscreen = &application.CreateForm<Tsongscreen>();
      mainscreen = &application.CreateForm<Tmainscreen>();
      break;
  }

  application.Run();
  DeleteTemporarySongFile();
  TearDown();
  return exitNormal;
}

}  // namespace wobbert
