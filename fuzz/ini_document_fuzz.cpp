// Fuzz target for the Linux settings file's reader and writer: any bytes read as a file, then
// one key set; whatever was set must read back from the written text, and the written text must
// be a fixed point of reading and writing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/sdl/ini_document.h"

namespace {

std::string Expected(std::string_view value) {
  while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
  while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The input is: section NUL key NUL value NUL file text.
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::string_view parts[3];
  std::size_t start = 0;
  for (auto& part : parts) {
    const std::size_t end = input.find('\0', start);
    if (end == std::string_view::npos) return 0;
    part = input.substr(start, end - start);
    start = end + 1;
  }
  using wobbert::platform::IniDocument;
  IniDocument document(input.substr(start));
  (void)document.Get(parts[0], parts[1]);
  const std::string text = document.Text();
  if (IniDocument(text).Text() != text) __builtin_trap();
  if (document.Set(parts[0], parts[1], parts[2])) {
    const std::string written = document.Text();
    const auto value = IniDocument(written).Get(parts[0], parts[1]);
    if (!value || *value != Expected(parts[2])) __builtin_trap();
    if (IniDocument(written).Text() != written) __builtin_trap();
  }
  return 0;
}
