#include "platform/sdl/user_directories.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace wobbert::platform {

namespace {

// A directory (not a link to one) that belongs to us and is closed to everyone else.
bool IsPrivateDirectory(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) return false;
  return S_ISDIR(info.st_mode) && info.st_uid == getuid() && (info.st_mode & 077) == 0;
}

std::string WithSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

}  // namespace

std::string PrivateRuntimeDirectory() {
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && runtime[0] == '/') {
    if (IsPrivateDirectory(runtime)) return WithSlash(runtime);
  }
  std::string base = "/tmp";
  if (const char* tmp = std::getenv("TMPDIR"); tmp && tmp[0] == '/') base = tmp;
  const std::string directory = WithSlash(base) + "wobbert-" + std::to_string(getuid());
  if (mkdir(directory.c_str(), 0700) != 0 && errno != EEXIST) return {};
  if (!IsPrivateDirectory(directory)) return {};
  return directory + '/';
}

}  // namespace wobbert::platform
