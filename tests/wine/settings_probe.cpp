// A console helper for the end-to-end tests of the settings store on Windows: loads the settings
// through the native profile (control.ini in the Windows directory) and prints them on one line,
//   snow=<n> sound=[<text>] songs=<47 digits> joyful=<on|off>
// With the argument "save" it then saves them, printing the error and exiting 1 if that fails.
#include <cstdio>
#include <cstring>
#include <string>

#include "wb_cfg/settings.h"

int main(int argc, char** argv) {
  wobbert::LoadSettings();
  const wobbert::Settings& settings = wobbert::settings;
  std::string songs;
  for (std::uint8_t picked : settings.songPicked) songs += static_cast<char>('0' + picked);
  std::printf("snow=%d sound=[%s] songs=%s joyful=%s\n", settings.snow, settings.sound.c_str(), songs.c_str(),
              settings.joyful ? "on" : "off");
  if (argc > 1 && std::strcmp(argv[1], "save") == 0) {
    if (const auto error = wobbert::SaveSettings()) {
      std::printf("%s\n", error->message.c_str());
      return 1;
    }
  }
  return 0;
}
