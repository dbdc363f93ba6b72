// Replacing a file's whole content in one write, as the song file needs.
//
// ReplaceFileContent creates the file or truncates the one there, writes all bytes and closes
// it. It never writes through a symbolic link: a link in the last path component makes the
// creation fail (Linux opens with O_NOFOLLOW), as does anything there that is not a regular file.
// Created: the content is on its way to the disk. NotCreated: nothing was written. WriteFailed:
// the file was created (and may now be empty or short); systemMessage has the system's text.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace wobbert::platform {

enum class FileWriteOutcome { Written, NotCreated, WriteFailed };

struct FileWriteResult {
  FileWriteOutcome outcome;
  std::string systemMessage;  // empty unless WriteFailed
};

FileWriteResult ReplaceFileContent(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace wobbert::platform
