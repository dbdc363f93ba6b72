#include "toolkit/temp_directory.h"

#include "platform/system.h"

namespace wobbert {

std::string TempDirectory() { return platform::CurrentSystem().TemporaryDirectory(); }

}  // namespace wobbert
