#include "platform/sdl/user_directories.h"

#include <pwd.h>
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

std::string ConfigurationDirectory() {
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0] == '/') {
    return WithSlash(config) + "wobbert/";
  }
  std::string home;
  if (const char* variable = std::getenv("HOME"); variable && variable[0] == '/') {
    home = variable;
  } else if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir && entry->pw_dir[0] == '/') {
    home = entry->pw_dir;
  }
  if (home.empty()) return {};
  return WithSlash(home) + ".config/wobbert/";
}

}  // namespace wobbert::platform
