// Linux backend of ReplaceFileContent.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/file_writer.h"

namespace wobbert::platform {

FileWriteResult ReplaceFileContent(const std::string& path, std::span<const std::uint8_t> bytes) {
  // O_NONBLOCK: a FIFO planted under the name must not hang us; it is refused below.
  const int descriptor =
      open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
  if (descriptor < 0) return {FileWriteOutcome::NotCreated, {}};
  struct stat info {};
  if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(descriptor);
    return {FileWriteOutcome::NotCreated, {}};
  }
  std::size_t written = 0;
  int error = 0;
  while (written < bytes.size()) {  // one write; the loop only finishes a short one
    const ssize_t count = write(descriptor, bytes.data() + written, bytes.size() - written);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) {
      error = count < 0 ? errno : EIO;
      break;
    }
    written += static_cast<std::size_t>(count);
  }
  if (close(descriptor) != 0 && error == 0) error = errno;
  if (error != 0) return {FileWriteOutcome::WriteFailed, std::strerror(error)};
  return {FileWriteOutcome::Written, {}};
}

}  // namespace wobbert::platform
