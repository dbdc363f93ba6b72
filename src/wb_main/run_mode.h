// The run mode start-up chose from the command line (`runMode`); it never changes afterwards.
// The saver window asks for the password only in the saver run mode.
#pragma once

#include <cstdint>

namespace wobbert {

enum RunMode : std::uint8_t {
  passwordMode = 0,
  previewMode = 1,
  configureMode = 2,
  saverMode = 3,
};

// Saver until the command line says otherwise.
extern std::uint8_t runMode;

}  // namespace wobbert
