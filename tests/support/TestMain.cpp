// The main of every test program: GoogleTest with its output unbuffered, so that a test that
// hangs under Wine still shows how far it came.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
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

// "x86" or "x64": the processor the executable at that path is built for, from its PE header.
std::string MachineOf(const char* path) {
  std::ifstream file(path, std::ios::binary);
  IMAGE_DOS_HEADER dos{};
  DWORD signature = 0;
  IMAGE_FILE_HEADER header{};
  file.read(reinterpret_cast<char*>(&dos), sizeof(dos));
  file.seekg(dos.e_lfanew);
  file.read(reinterpret_cast<char*>(&signature), sizeof(signature));
  file.read(reinterpret_cast<char*>(&header), sizeof(header));
  if (!file || signature != IMAGE_NT_SIGNATURE) {
    return "not a readable program";
  }
  switch (header.Machine) {
    case IMAGE_FILE_MACHINE_I386:
      return "x86";
    case IMAGE_FILE_MACHINE_AMD64:
      return "x64";
    default:
      return "another processor";
  }
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
    // The other build's run tests the program it names, built for its processor.
    if (const char* machine = std::getenv("CHROMIVO_EXPECTED_MACHINE")) {
      const char* program = std::getenv("CHROMIVO_PROGRAM");
      ASSERT_NE(program, nullptr) << "no program is named for the run";
      ASSERT_EQ(MachineOf(program), machine) << program << " is not built for " << machine;
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
