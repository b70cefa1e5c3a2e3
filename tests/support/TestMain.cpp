// The main of every test program: GoogleTest with its output unbuffered, so that a test that
// hangs under Wine still shows how far it came.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The version Windows (or Wine) reports, as the kernel has it: GetVersionEx answers what the
// program's manifest lets it, this does not.
std::string ReportedWindows() {
  using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
  const auto rtlGetVersion = reinterpret_cast<RtlGetVersionFunction>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "RtlGetVersion")));
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(version);
  if (rtlGetVersion == nullptr || rtlGetVersion(&version) != 0) {
    return "unknown";
  }
  if (version.dwMajorVersion == 10) {
    return "win10";
  }
  if (version.dwMajorVersion == 6 && version.dwMinorVersion == 1) {
    return "win7";
  }
  return std::to_string(version.dwMajorVersion) + "." + std::to_string(version.dwMinorVersion);
}

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
    if (const char* windows = std::getenv("CHROMIVO_EXPECTED_WINDOWS")) {
      ASSERT_EQ(ReportedWindows(), windows) << "the session reports another Windows version";
    }
    if (const char* monitors = std::getenv("CHROMIVO_EXPECTED_MONITORS")) {
      ASSERT_EQ(::GetSystemMetrics(SM_CMONITORS), std::atoi(monitors))
          << "the session shows another number of monitors";
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
