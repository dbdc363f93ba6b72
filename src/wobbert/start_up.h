// Start-up and mode dispatch: the program from its command line to its exit status.
//
// RunProgram reads the switch and the handle, runs the password change and ends, or takes the
// single-instance lock (not for a preview; a second saver or configuration process ends at once
// and silently), opens the display, refuses displays of 256 colours or fewer with a message,
// seeds the random generator, loads the settings and runs the chosen mode until its main window
// closes; then it deletes the temporary song file and frees what it made, in reverse order.
// Every system call goes through the installed seam, so tests run it against fakes.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/native_application.h"
#include "platform/system.h"

namespace wobbert {

// The lock that keeps a second saver or configuration process from starting; none in a preview.
extern std::unique_ptr<platform::InstanceLock> instanceSemaphore;

inline constexpr const char* instanceLockName = "WobbertSemaphore";
inline constexpr const char* colourRefusal =
    "Your screen is set at 256 colours (or less).\r\nThis saver only works at hi- or true-color.";

// Exit statuses.
inline constexpr int exitNormal = 0;
inline constexpr int exitFailure = 1;      // no display, or a display of 256 colours or fewer
inline constexpr int exitBadArgument = 2;  // a window handle that is not a decimal number

using ApplicationOpener = std::function<Result<std::unique_ptr<platform::NativeApplication>>()>;

// `arguments` are the command-line arguments after the program's name; `programName` is the
// default caption of message boxes.
int RunProgram(const std::vector<std::string>& arguments, const ApplicationOpener& openApplication,
               const std::string& programName);

// True when a display of this many bits per pixel shows more than 256 colours.
bool PassesColourTest(int bitsPerPixel);

}  // namespace wobbert
