// The executable as a file: it starts and ends on its own, and carries its version block.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fixtures/ChromivoProcess.h"

namespace {

std::string VersionString(const std::vector<char>& block, const char* name) {
  char* value = nullptr;
  UINT length = 0;
  const std::string path = std::string("\\StringFileInfo\\040904b0\\") + name;
  if (!::VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) ||
      value == nullptr) {
    return "<missing>";
  }
  return std::string(value);
}

std::vector<char> ReadVersionBlock(const std::string& file) {
  DWORD handle = 0;
  const DWORD size = ::GetFileVersionInfoSizeA(file.c_str(), &handle);
  std::vector<char> block(size);
  if (size == 0 || !::GetFileVersionInfoA(file.c_str(), 0, size, block.data())) {
    block.clear();
  }
  return block;
}

}  // namespace

TEST(Executable, VersionBlockNamesTheApplication) {
  const std::vector<char> block = ReadVersionBlock(ChromivoExePath());
  ASSERT_FALSE(block.empty()) << "no version block in " << ChromivoExePath();

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 2));
  EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(1, 0));
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 2));
  EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(1, 0));

  EXPECT_EQ(VersionString(block, "FileVersion"), "2, 0, 0, 1");
  EXPECT_EQ(VersionString(block, "ProductVersion"), "2, 0, 0, 1");
  EXPECT_EQ(VersionString(block, "FileDescription"), "Chromivo Application");
  EXPECT_EQ(VersionString(block, "ProductName"), "Chromivo Application");
  EXPECT_EQ(VersionString(block, "InternalName"), "Chromivo");
  EXPECT_EQ(VersionString(block, "OriginalFilename"), "Chromivo.EXE");
  EXPECT_EQ(VersionString(block, "CompanyName"), "Chromivo contributors");

  struct Translation {
    WORD language;
    WORD codePage;
  }* translation = nullptr;
  ASSERT_TRUE(::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
  EXPECT_EQ(translation->language, 0x0409);
  EXPECT_EQ(translation->codePage, 1200);
}

TEST(Executable, StartsAsItsOwnProcessShowsItsWindowAndEndsWhenClosed) {
  ChromivoProcess chromivo;
  ASSERT_TRUE(chromivo.Start());
  const HWND window = chromivo.WaitForMainWindow(20000);
  ASSERT_NE(window, nullptr);
  ::PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(chromivo.WaitForExit(20000));
}
