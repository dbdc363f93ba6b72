// Fuzz target for what the program reads from its command line and from settings values: the
// run-mode switch, the window handle and the settings integer. A handle that parses must print
// back as the same digits; an integer that parses must lie in the 32-bit range by construction.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "wb_cfg/settings.h"
#include "wobbert/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (wobbert::ChooseRunMode(wobbert::UpperCase(text)) > 3) __builtin_trap();
  if (const auto handle = wobbert::ParseWindowHandle(text)) {
    std::string_view digits = text;
    if (digits.starts_with('+')) digits.remove_prefix(1);
    while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
    if (std::to_string(handle.Value()) != digits) __builtin_trap();
  }
  (void)wobbert::ParseSettingsInteger(text);
  return 0;
}
