// The main of every test program: GoogleTest with its output unbuffered, so that a test that
// hangs under Wine still shows how far it came.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Run in one of the test command's display configurations, a program first checks that the
// screen shows it: a configuration that did not take effect must fail, not pass as one more run
// at the default scale.
class DisplayConfiguration : public testing::Environment {
 public:
  void SetUp() override {
    if (const char* dpi = std::getenv("CHROMIVO_EXPECTED_DPI")) {
      const HDC screen = ::GetDC(nullptr);
      const int actual = ::GetDeviceCaps(screen, LOGPIXELSY);
      ::ReleaseDC(nullptr, screen);
      ASSERT_EQ(actual, std::atoi(dpi)) << "the screen's DPI is not the configured one";
    }
    const char* caption = std::getenv("CHROMIVO_EXPECTED_CAPTION");
    if (caption != nullptr && std::string(caption) != "-") {
      ASSERT_EQ(::GetSystemMetrics(SM_CYCAPTION), std::atoi(caption))
          << "the caption bar is not the configured height";
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  testing::InitGoogleTest(&argc, argv);
  testing::AddGlobalTestEnvironment(new DisplayConfiguration);
  return RUN_ALL_TESTS();
}
