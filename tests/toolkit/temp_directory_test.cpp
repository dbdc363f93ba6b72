#include "toolkit/temp_directory.h"

#include <gtest/gtest.h>

#include "platform/system.h"

namespace wobbert {
namespace {

class FixedSystem final : public platform::System {
 public:
  std::string TemporaryDirectory() override { return "C:\\Temp\\"; }
};

TEST(TempDirectory, AsksThePlatformEachTime) {
  FixedSystem fake;
  platform::InstallSystem(&fake);
  EXPECT_EQ(TempDirectory(), "C:\\Temp\\");
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
