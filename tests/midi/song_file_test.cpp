// The temporary song file: replaced whole on every write, refused when it cannot be replaced,
// never written through a symbolic link, and a failure after creation reaches the caller.
#include "midi/song_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "midi/song_catalogue.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#endif

namespace wobbert {
namespace {

namespace fs = std::filesystem;

// Points the system's temporary directory at a test directory through the environment the
// native backend reads ($XDG_RUNTIME_DIR on Linux, which must be private; %TMP% on Windows), and
// puts the old value back afterwards.
class TemporaryDirectoryOverride {
 public:
  TemporaryDirectoryOverride() {
    if (const char* old = std::getenv(kVariable)) saved_ = old;
  }
  ~TemporaryDirectoryOverride() {
    if (saved_) Set(*saved_);
#ifndef _WIN32
    else unsetenv(kVariable);
#endif
  }
  void Set(const std::string& directory) {
#ifdef _WIN32
    _putenv_s(kVariable, directory.c_str());
#else
    setenv(kVariable, directory.c_str(), 1);
#endif
  }

 private:
#ifdef _WIN32
  static constexpr const char* kVariable = "TMP";
#else
  static constexpr const char* kVariable = "XDG_RUNTIME_DIR";
#endif
  std::optional<std::string> saved_;
};

std::vector<std::uint8_t> FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> Payload(std::size_t i) {
  const auto bytes = SongPayloads[i].Bytes();
  return {bytes.begin(), bytes.end()};
}

class SongFile : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = fs::temp_directory_path() / (std::string("wobbert-song-file-test-") + test->name());
    fs::remove_all(root_);
    UsePrivateDirectory(root_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(root_ / "tmp.mid", fs::perms::owner_all, ignored);
    fs::remove_all(root_, ignored);
  }
  void UsePrivateDirectory(const fs::path& directory) {
    fs::create_directories(directory);
    fs::permissions(directory, fs::perms::owner_all);
    temporary_.Set(directory.string());
  }
  fs::path SongPath() const { return root_ / "tmp.mid"; }
  static bool IsSongPath(const fs::path& path) {
    std::error_code ignored;
    return fs::equivalent(fs::path(TemporaryMidiFilePath()), path, ignored);
  }

  fs::path root_;
  TemporaryDirectoryOverride temporary_;
};

std::size_t SongBy(bool (*before)(const EmbeddedFile&, const EmbeddedFile&)) {
  return static_cast<std::size_t>(std::min_element(SongPayloads, SongPayloads + kSongCount, before) - SongPayloads);
}
bool Longer(const EmbeddedFile& a, const EmbeddedFile& b) { return a.size > b.size; }
bool Shorter(const EmbeddedFile& a, const EmbeddedFile& b) { return a.size < b.size; }

TEST_F(SongFile, EachWriteReplacesTheWholeContent) {
  ASSERT_TRUE(WriteSongFile(44));
  EXPECT_EQ(FileBytes(SongPath()), Payload(44));
  ASSERT_TRUE(WriteSongFile(31));
  EXPECT_EQ(FileBytes(SongPath()), Payload(31));
  ASSERT_TRUE(WriteSongFile(31));
  EXPECT_EQ(FileBytes(SongPath()), Payload(31));
  EXPECT_TRUE(IsSongPath(SongPath()));

  // The longest song, then the shortest: no tail of the longer content may survive.
  ASSERT_TRUE(WriteSongFile(SongBy(Longer)));
  ASSERT_TRUE(WriteSongFile(SongBy(Shorter)));
  EXPECT_EQ(FileBytes(SongPath()), Payload(SongBy(Shorter)));
}

TEST_F(SongFile, AsksForTheTemporaryDirectoryEveryTime) {
  ASSERT_TRUE(WriteSongFile(0));
  const fs::path elsewhere = root_ / "elsewhere";
  UsePrivateDirectory(elsewhere);
  ASSERT_TRUE(WriteSongFile(1));
  EXPECT_TRUE(IsSongPath(elsewhere / "tmp.mid"));
  EXPECT_EQ(FileBytes(SongPath()), Payload(0));
  EXPECT_EQ(FileBytes(elsewhere / "tmp.mid"), Payload(1));
}

TEST_F(SongFile, ReturnsFalseWhenTheFileCannotBeCreated) {
  fs::create_directory(SongPath());  // a directory where the file belongs cannot be replaced
  EXPECT_FALSE(WriteSongFile(3));
  EXPECT_TRUE(fs::is_directory(SongPath()));
}

TEST_F(SongFile, ReturnsFalseForAReadOnlyFileAndLeavesItAlone) {
  ASSERT_TRUE(WriteSongFile(31));
  fs::permissions(SongPath(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  // Root (and Wine run by root) may write to a read-only file; then there is nothing to test.
  if (std::ofstream(SongPath(), std::ios::binary | std::ios::app)) GTEST_SKIP() << "read-only is not enforced here";
  EXPECT_FALSE(WriteSongFile(44));
  EXPECT_EQ(FileBytes(SongPath()), Payload(31));
}

#ifndef _WIN32
TEST_F(SongFile, NeverWritesThroughASymbolicLink) {
  const fs::path target = root_ / "precious";
  { std::ofstream(target) << "keep me"; }
  fs::create_symlink(target, SongPath());
  EXPECT_FALSE(WriteSongFile(5));
  EXPECT_TRUE(fs::is_symlink(SongPath()));
  const std::vector<std::uint8_t> kept = FileBytes(target);
  EXPECT_EQ(std::string(kept.begin(), kept.end()), "keep me");

  fs::remove(SongPath());
  fs::create_symlink(root_ / "dangling", SongPath());  // nor creates the file a link points to
  EXPECT_FALSE(WriteSongFile(5));
  EXPECT_FALSE(fs::exists(root_ / "dangling"));
}

TEST_F(SongFile, AFailureAfterCreationIsRaised) {
  // A file size limit below the song's length makes the write itself fail (EFBIG), after the
  // file was created.
  const std::size_t biggest = SongBy(Longer);
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 1024;
  ASSERT_GT(SongPayloads[biggest].size, small.rlim_cur);
  const auto savedHandler = signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  bool raised = false;
  try {
    WriteSongFile(biggest);
  } catch (const SongFileError& error) {
    raised = true;
    EXPECT_STRNE(error.what(), "");
  }
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, savedHandler);
  EXPECT_TRUE(raised);
  EXPECT_TRUE(fs::exists(SongPath()));
}
#endif

}  // namespace
}  // namespace wobbert
