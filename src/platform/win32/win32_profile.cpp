// Windows backend of Profile: the system's private-profile calls. The file is passed as the bare
// name the program gives, so the system places it in the Windows directory (and, for a program
// without a requestedExecutionLevel, redirects the write to the user's own store where the
// Windows directory is closed to the user).
#include <windows.h>

#include <string>

#include "platform/profile.h"

namespace wobbert::platform {

namespace {

// At most 2047 characters of a value are read.
constexpr DWORD valueBufferSize = 2048;

class Win32Profile final : public Profile {
 public:
  std::string ReadString(const std::string& fileName, const std::string& section,
                         const std::string& key, const std::string& defaultValue) override {
    char buffer[valueBufferSize] = {};
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                                  buffer, valueBufferSize, fileName.c_str());
    return std::string(buffer, length < valueBufferSize ? length : valueBufferSize - 1);
  }

  bool WriteString(const std::string& fileName, const std::string& section, const std::string& key,
                   const std::string& value) override {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), fileName.c_str()) != 0;
  }
};

}  // namespace

Profile& NativeProfile() {
  static Win32Profile profile;
  return profile;
}

}  // namespace wobbert::platform
