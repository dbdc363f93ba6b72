// Windows backend of ReplaceFileContent.
#include <windows.h>

#include "platform/file_writer.h"

namespace wobbert::platform {

namespace {

std::string SystemText(DWORD code) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
      reinterpret_cast<char*>(&text), 0, nullptr);
  std::string result = length ? std::string(text, length) : "error " + std::to_string(code);
  if (text) LocalFree(text);
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r')) result.pop_back();
  return result;
}

}  // namespace

FileWriteResult ReplaceFileContent(const std::string& path, std::span<const std::uint8_t> bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {FileWriteOutcome::NotCreated, {}};
  if (GetFileType(file) != FILE_TYPE_DISK) {
    CloseHandle(file);
    return {FileWriteOutcome::NotCreated, {}};
  }
  DWORD error = 0;
  DWORD written = 0;
  if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
    error = GetLastError();
  } else if (written != bytes.size()) {
    error = ERROR_WRITE_FAULT;
  }
  if (!CloseHandle(file) && error == 0) error = GetLastError();
  if (error != 0) return {FileWriteOutcome::WriteFailed, SystemText(error)};
  return {FileWriteOutcome::Written, {}};
}

}  // namespace wobbert::platform
