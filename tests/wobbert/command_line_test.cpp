// The command-line table and the window-handle argument.
#include <gtest/gtest.h>

#include "wb_main/run_mode.h"
#include "wobbert/command_line.h"

namespace wobbert {
namespace {

struct SwitchCase {
  const char* argument;
  std::uint8_t mode;
};

class SwitchTest : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(SwitchTest, ChoosesTheMode) {
  EXPECT_EQ(ChooseRunMode(UpperCase(GetParam().argument)), GetParam().mode) << GetParam().argument;
}

INSTANTIATE_TEST_SUITE_P(
    Table, SwitchTest,
    ::testing::Values(SwitchCase{"", configureMode}, SwitchCase{"/c", configureMode},
                      SwitchCase{"/C", configureMode}, SwitchCase{"-c", configureMode},
                      SwitchCase{"c", configureMode}, SwitchCase{"/c:99", configureMode},
                      SwitchCase{"config", configureMode}, SwitchCase{"/s", saverMode},
                      SwitchCase{"/S", saverMode}, SwitchCase{"-s", saverMode}, SwitchCase{"S", saverMode},
                      SwitchCase{"X", saverMode}, SwitchCase{"/Z", saverMode}, SwitchCase{"/", saverMode},
                      SwitchCase{"-", saverMode}, SwitchCase{"//c", saverMode}, SwitchCase{" /c", saverMode},
                      SwitchCase{"/p", previewMode}, SwitchCase{"-P", previewMode},
                      SwitchCase{"p", previewMode}, SwitchCase{"/preview", previewMode},
                      SwitchCase{"/a", passwordMode}, SwitchCase{"-A", passwordMode},
                      SwitchCase{"a", passwordMode}, SwitchCase{"/A:12", passwordMode}));

TEST(UpperCaseTest, ChangesOnlyAsciiLetters) {
  EXPECT_EQ(UpperCase("/c:abz09\xe4"), "/C:ABZ09\xe4");
}

TEST(WindowHandleTest, AcceptsDecimalNumbersWithinRange) {
  EXPECT_EQ(ParseWindowHandle("100").Value(), 100u);
  EXPECT_EQ(ParseWindowHandle("+7").Value(), 7u);
  EXPECT_EQ(ParseWindowHandle("0").Value(), 0u);
  EXPECT_EQ(ParseWindowHandle("007").Value(), 7u);
  const auto largest = std::to_string(std::numeric_limits<platform::WindowHandle>::max());
  EXPECT_EQ(ParseWindowHandle(largest).Value(), std::numeric_limits<platform::WindowHandle>::max());
}

TEST(WindowHandleTest, RefusesWhatIsNotADecimalNumberAndNamesIt) {
  for (const char* text : {"", "ABC", "-1", "-0", "12A", " 12", "12 ", "+", "$10", "0X10", "1.5",
                           "99999999999999999999999999"}) {
    const auto handle = ParseWindowHandle(text);
    ASSERT_FALSE(handle.Ok()) << text;
    EXPECT_NE(handle.ErrorMessage().find("'" + std::string(text) + "'"), std::string::npos);
  }
  // One past the largest handle.
  std::string beyond = std::to_string(std::numeric_limits<platform::WindowHandle>::max());
  beyond.back() = static_cast<char>(beyond.back() + 1);
  EXPECT_FALSE(ParseWindowHandle(beyond).Ok());
}

}  // namespace
}  // namespace wobbert
