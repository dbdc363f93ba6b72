#include "wobbert/command_line.h"

#include <limits>

#include "wb_main/run_mode.h"

namespace wobbert {

std::string commandArg1;
std::string commandArg2;

std::string UpperCase(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return result;
}

std::uint8_t ChooseRunMode(std::string_view upperCasedSwitch) {
  auto startsWith = [&](std::string_view prefix) { return upperCasedSwitch.starts_with(prefix); };
  auto firstIs = [&](char c) { return !upperCasedSwitch.empty() && upperCasedSwitch.front() == c; };
  std::uint8_t mode = saverMode;
  if (startsWith("/P") || startsWith("-P") || firstIs('P')) mode = previewMode;
  if (startsWith("/A") || startsWith("-A") || firstIs('A')) mode = passwordMode;
  if (startsWith("/C") || startsWith("-C") || firstIs('C') || upperCasedSwitch.empty()) mode = configureMode;
  return mode;
}

Result<platform::WindowHandle> ParseWindowHandle(std::string_view text) {
  const Error error{"'" + std::string(text) + "' is not a valid window handle"};
  std::string_view digits = text;
  if (digits.starts_with('+')) digits.remove_prefix(1);
  if (digits.empty()) return error;
  constexpr platform::WindowHandle largest = std::numeric_limits<platform::WindowHandle>::max();
  platform::WindowHandle value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return error;
    const auto digit = static_cast<platform::WindowHandle>(c - '0');
    if (value > (largest - digit) / 10) return error;
    value = value * 10 + digit;
  }
  return value;
}

}  // namespace wobbert
