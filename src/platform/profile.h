// The seam for the settings file: one key of one section of a private-profile (INI) file.
//
// The file is named as the program names it ("control.ini"); the backend decides where it lives.
// Section and key names match without regard to case; the first match wins. Values are trimmed.
// A write changes only its key: other keys, sections and lines are kept; a new key goes at the
// end of its section, a new section at the end of the file.
#pragma once

#include <string>

namespace wobbert::platform {

class Profile {
 public:
  virtual ~Profile() = default;

  // The key's value, or defaultValue when the file, the section or the key is missing.
  virtual std::string ReadString(const std::string& fileName, const std::string& section,
                                 const std::string& key, const std::string& defaultValue) = 0;
  // False when the file could not be written; the file is then as it was.
  virtual bool WriteString(const std::string& fileName, const std::string& section,
                           const std::string& key, const std::string& value) = 0;
};

Profile& NativeProfile();

// The installed profile, or the native one when none is installed.
Profile& CurrentProfile();
void InstallProfile(Profile* profile);

}  // namespace wobbert::platform
