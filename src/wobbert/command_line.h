// The command line of a screen saver: an optional switch, optionally followed by a window handle.
//
// The switch is read by its first one or two characters after upper-casing (ASCII): "/P", "-P"
// or a first "P" runs the preview; "/A", "-A" or "A" the password change; "/C", "-C", "C" or an
// empty or missing switch the configuration dialog; anything else the saver. The rest of the
// switch is ignored, so "/c:1234" configures. The handle is a decimal window number.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/system.h"
#include "toolkit/result.h"

namespace wobbert {

// The first and second arguments, upper-cased when read.
extern std::string commandArg1;
extern std::string commandArg2;

std::string UpperCase(std::string_view text);

// The run mode (run_mode.h) for an upper-cased first argument.
std::uint8_t ChooseRunMode(std::string_view upperCasedSwitch);

// A window handle written in decimal: digits only (an optional "+" first), not negative, within
// the handle's range. The error names the argument.
Result<platform::WindowHandle> ParseWindowHandle(std::string_view text);

}  // namespace wobbert
