// Linux backend of Profile: the file lives in ConfigurationDirectory() (user_directories.h), and
// every write replaces it atomically: the new text goes to a sibling file that is flushed to the
// disk and then renamed over the old one, so a crash or a full disk never leaves half a file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/profile.h"
#include "platform/sdl/ini_document.h"
#include "platform/sdl/user_directories.h"

namespace wobbert::platform {

namespace {

// Far above any settings file; a larger file is not ours to rewrite.
constexpr off_t maximumFileSize = 16 * 1024 * 1024;

enum class ReadOutcome { Read, Missing, Failed };

ReadOutcome ReadWholeFile(const std::string& path, std::string& text) {
  text.clear();
  const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return errno == ENOENT ? ReadOutcome::Missing : ReadOutcome::Failed;
  struct stat info {};
  if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > maximumFileSize) {
    close(descriptor);
    return ReadOutcome::Failed;
  }
  char buffer[65536];
  for (;;) {
    const ssize_t count = read(descriptor, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0 || static_cast<off_t>(text.size()) + count > maximumFileSize) {
      close(descriptor);
      return ReadOutcome::Failed;
    }
    if (count == 0) break;
    text.append(buffer, static_cast<std::size_t>(count));
  }
  close(descriptor);
  return ReadOutcome::Read;
}

bool WriteAll(int descriptor, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t count = write(descriptor, text.data() + done, text.size() - done);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    done += static_cast<std::size_t>(count);
  }
  return true;
}

// Creates the directory and its missing parents, each new one closed to other users.
bool MakeDirectories(const std::string& directory) {
  for (std::size_t slash = directory.find('/', 1); slash != std::string::npos;
       slash = directory.find('/', slash + 1)) {
    const std::string part = directory.substr(0, slash);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  struct stat info {};
  return stat(directory.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool ReplaceFile(const std::string& directory, const std::string& path, const std::string& text) {
  std::string temporary = path + ".XXXXXX";
  std::vector<char> name(temporary.begin(), temporary.end());
  name.push_back('\0');
  const int descriptor = mkostemp(name.data(), O_CLOEXEC);
  if (descriptor < 0) return false;
  temporary = name.data();
  // Keep the permissions of the file being replaced; a new one is the user's alone.
  struct stat old {};
  const mode_t mode = stat(path.c_str(), &old) == 0 ? (old.st_mode & 0777) : 0600;
  const bool written = fchmod(descriptor, mode) == 0 && WriteAll(descriptor, text) && fsync(descriptor) == 0;
  if (close(descriptor) != 0 || !written || rename(temporary.c_str(), path.c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  // The rename itself is lasting only once the directory is flushed.
  if (const int folder = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); folder >= 0) {
    fsync(folder);
    close(folder);
  }
  return true;
}

bool ValidFileName(const std::string& fileName) {
  return !fileName.empty() && fileName.find('/') == std::string::npos && fileName != "." &&
         fileName != "..";
}

class SdlProfile final : public Profile {
 public:
  std::string ReadString(const std::string& fileName, const std::string& section,
                         const std::string& key, const std::string& defaultValue) override {
    const std::string directory = ConfigurationDirectory();
    if (directory.empty() || !ValidFileName(fileName)) return defaultValue;
    std::string text;
    if (ReadWholeFile(directory + fileName, text) != ReadOutcome::Read) return defaultValue;
    return IniDocument(text).Get(section, key).value_or(defaultValue);
  }

  bool WriteString(const std::string& fileName, const std::string& section, const std::string& key,
                   const std::string& value) override {
    const std::string directory = ConfigurationDirectory();
    if (directory.empty() || !ValidFileName(fileName) || !MakeDirectories(directory)) return false;
    const std::string path = directory + fileName;
    std::string text;
    if (ReadWholeFile(path, text) == ReadOutcome::Failed) return false;
    IniDocument document(text);
    if (!document.Set(section, key, value)) return false;
    return ReplaceFile(directory, path, document.Text());
  }
};

}  // namespace

Profile& NativeProfile() {
  static SdlProfile profile;
  return profile;
}

}  // namespace wobbert::platform
