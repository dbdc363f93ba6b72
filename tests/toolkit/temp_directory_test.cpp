#include "toolkit/temp_directory.h"

#include <gtest/gtest.h>

#include "fakes/fake_system.h"

namespace wobbert {
namespace {

TEST(TempDirectory, AsksThePlatformEachTime) {
  std::vector<std::string> calls;
  fakes::FakeSystem fake(calls);
  fake.temporaryDirectory = "C:\\Temp\\";
  platform::InstallSystem(&fake);
  EXPECT_EQ(TempDirectory(), "C:\\Temp\\");
  fake.temporaryDirectory = "D:\\";
  EXPECT_EQ(TempDirectory(), "D:\\");
  platform::InstallSystem(nullptr);

  const std::string native = TempDirectory();
  ASSERT_FALSE(native.empty());
#ifdef _WIN32
  EXPECT_EQ(native.back(), '\\');
#else
  EXPECT_EQ(native.back(), '/');
#endif
}

}  // namespace
}  // namespace wobbert
