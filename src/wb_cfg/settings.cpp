#include "wb_cfg/settings.h"

#include <cstdint>

#include "platform/profile.h"

namespace wobbert {

Settings settings;

const std::array<const char*, 3> snowCaptions = {"No Snow ", "Snowy ", "Falling Snow "};

namespace {

// The private-profile read goes through a buffer of this many characters, its end included.
constexpr std::size_t valueBufferSize = 2048;

std::string ReadText(const std::string& key, const std::string& defaultValue) {
  std::string value =
      platform::CurrentProfile().ReadString(settingsFileName, settingsSection, key, defaultValue);
  if (value.size() > valueBufferSize - 1) value.resize(valueBufferSize - 1);
  return value;
}

// The key's number when it lies in minimum..maximum, else the default.
std::uint8_t ReadByte(const std::string& key, std::uint8_t defaultValue, int minimum, int maximum) {
  const auto number = ParseSettingsInteger(ReadText(key, ""));
  if (!number || *number < minimum || *number > maximum) return defaultValue;
  return static_cast<std::uint8_t>(*number);
}

std::string SongKey(std::size_t index) { return "song " + std::to_string(index); }

int DigitValue(char c, int base) {
  int value = 99;
  if (c >= '0' && c <= '9') value = c - '0';
  else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value < base ? value : -1;
}

}  // namespace

std::optional<std::int32_t> ParseSettingsInteger(std::string_view text) {
  std::string rewritten;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    rewritten = "$" + std::string(text.substr(2));
    text = rewritten;
  }
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    ++i;
  }
  if (i == text.size()) return std::nullopt;
  std::int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i], base);
    if (digit < 0) return std::nullopt;
    magnitude = magnitude * base + digit;
    if (magnitude > std::int64_t{1} << 31) return std::nullopt;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

void LoadSettings() {
  settings.snow = ReadByte("snow", 0, 0, 2);
  settings.sound = ReadText("sound", "Yes");
  for (std::size_t i = 0; i < settingsSongCount; ++i) settings.songPicked[i] = ReadByte(SongKey(i), 1, 0, 1);
  settings.joyful = ReadText("joyful", "off") == "on";
}

std::optional<Error> SaveSettings() {
  platform::Profile& profile = platform::CurrentProfile();
  auto write = [&](const std::string& key, const std::string& value) {
    return profile.WriteString(settingsFileName, settingsSection, key, value);
  };
  bool written = write("snow", std::to_string(settings.snow)) && write("sound", settings.sound);
  for (std::size_t i = 0; written && i < settingsSongCount; ++i)
    written = write(SongKey(i), std::to_string(settings.songPicked[i]));
  written = written && write("joyful", settings.joyful ? "on" : "off");
  if (!written) return Error{std::string("Unable to write to ") + settingsFileName};
  return std::nullopt;
}

}  // namespace wobbert
