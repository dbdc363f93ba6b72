// The system's temporary directory, as the platform reports it, ending in a path separator so
// that callers append a file name directly. Empty when the system has none to offer; a file name
// then resolves against the current directory.
#pragma once

#include <string>

namespace wobbert {

std::string TempDirectory();

}  // namespace wobbert
