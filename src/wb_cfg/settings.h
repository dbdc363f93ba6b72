// The settings store: the program's one `Settings` record and its INI section.
//
// The record is a process-wide global (`settings`), read and changed in place by every window;
// only SaveSettings makes a change lasting. The file is "control.ini", section "wobbert", keys
// "snow", "sound", "song 0" … "song 46" and "joyful", read and written one key at a time through
// the profile seam (platform/profile.h). Reading never fails: a missing file, section or key, or
// a value that does not convert or lies outside its field's range, gives that key's default, so
// `snow` is always 0..2 and every `songPicked` value 0 or 1.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "toolkit/result.h"

namespace wobbert {

inline constexpr std::size_t settingsSongCount = 47;

struct Settings {
  std::uint8_t snow = 0;  // 0 "No Snow ", 1 "Snowy ", 2 "Falling Snow "
  std::string sound;      // music only when exactly "Yes"
  std::array<std::uint8_t, settingsSongCount> songPicked{};  // 1 picked, 0 not
  bool joyful = false;    // "Xmas Joy"
  bool operator==(const Settings&) const = default;
};

extern Settings settings;

// The dialog's captions of the snow modes, indexed by `snow`; each ends in one blank.
extern const std::array<const char*, 3> snowCaptions;

inline constexpr const char* settingsFileName = "control.ini";
inline constexpr const char* settingsSection = "wobbert";

void LoadSettings();
// Writes the 50 keys in order, one write each, stopping at the first that fails; the error's
// message is then "Unable to write to control.ini".
std::optional<Error> SaveSettings();

// An integer value as the store reads it: "0x" followed by more text counts as "$"; then
// optional leading blanks, an optional sign, and decimal digits, or hexadecimal digits after one
// of "$", "x" or "X", with nothing after them, within the signed 32-bit range.
std::optional<std::int32_t> ParseSettingsInteger(std::string_view text);

}  // namespace wobbert
