// Users unpack Chromivo into a downloads folder that may hold anything: no DLL from beside the
// program may ever be loaded. Its load-time imports are DLLs the loader takes from the system
// only, and every DLL it loads itself comes from the system folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string>
#include <vector>

#include "Associations.h"
#include "fixtures/ChromivoProcess.h"
#include "fixtures/E2eTest.h"
#include "fixtures/Input.h"
#include "fixtures/Rect.h"
#include "fixtures/WindowQuery.h"
#include "res/resource.h"

namespace {

// Windows' known DLLs (loaded from the system whatever the search path), and comctl32, which the
// manifest's dependency takes from the system's side-by-side store.
const char* const kLoadTimeImportsAllowed[] = {"advapi32.dll", "comctl32.dll", "gdi32.dll",
                                               "kernel32.dll", "msvcrt.dll",   "ole32.dll",
                                               "user32.dll"};
// The DLLs the program loads by name on first use, each planted beside a copy of it: oleacc is
// the one COM loads for the screen readers' names, when the window opens.
const char* const kLoadedOnFirstUse[] = {"dwmapi.dll", "comdlg32.dll", "shell32.dll", "oleacc.dll"};

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// The import directory's place in a 32-bit or a 64-bit image, whichever the test is not.
template <typename NtHeaders>
DWORD ImportDirectoryOf(const BYTE* ntHeaders) {
  return reinterpret_cast<const NtHeaders*>(ntHeaders)
      ->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT]
      .VirtualAddress;
}

// The names in the import directory of an executable of either processor (its load-time
// imports), read from the file mapped as an image, of which nothing runs.
std::vector<std::string> LoadTimeImportsOf(const std::string& path) {
  const HMODULE module = ::LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (module == nullptr) {
    return {};
  }
  // A module loaded as a resource has its lowest bits set.
  const auto* base =
      reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(module) & ~ULONG_PTR{3});
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const BYTE* ntHeaders = base + dos->e_lfanew;
  const bool is32Bit =
      reinterpret_cast<const IMAGE_NT_HEADERS32*>(ntHeaders)->OptionalHeader.Magic ==
      IMAGE_NT_OPTIONAL_HDR32_MAGIC;
  const DWORD directory = is32Bit ? ImportDirectoryOf<IMAGE_NT_HEADERS32>(ntHeaders)
                                  : ImportDirectoryOf<IMAGE_NT_HEADERS64>(ntHeaders);
  std::vector<std::string> names;
  for (auto* imported = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory);
       directory != 0 && imported->Name != 0; ++imported) {
    names.push_back(Lower(reinterpret_cast<const char*>(base + imported->Name)));
  }
  ::FreeLibrary(module);
  return names;
}

}  // namespace

TEST(DllLoading, TheLoadTimeImportsAreOnlyDllsTheLoaderTakesFromTheSystem) {
  const std::vector<std::string> imports = LoadTimeImportsOf(ChromivoExePath());
  ASSERT_FALSE(imports.empty()) << "no imports read from " << ChromivoExePath();
  for (const std::string& name : imports) {
    EXPECT_NE(
        std::find(std::begin(kLoadTimeImportsAllowed), std::end(kLoadTimeImportsAllowed), name),
        std::end(kLoadTimeImportsAllowed))
        << name << " is imported at load time: the loader may take it from the program's folder";
  }
}

// A copy of Chromivo.exe in a folder of stand-ins named as the DLLs it loads on first use: it
// starts, opens the colour dialog and a link, and not one stand-in is loaded.
class PlantedDllTest : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    for (const char* dll : kLoadedOnFirstUse) {
      ::DeleteFileA(MarkOf(dll).c_str());
      ASSERT_NE(::GetFileAttributesA(Planted(dll).c_str()), INVALID_FILE_ATTRIBUTES)
          << Planted(dll) << " was not built";
    }
    ASSERT_TRUE(::CopyFileA(ChromivoExePath().c_str(), Planted(kChromivoImageName).c_str(), FALSE));
  }

  // The stand-ins are built for the program's processor, into a folder beside it.
  static std::string Planted(const std::string& file) {
    const std::string program = ChromivoExePath();
    return program.substr(0, program.find_last_of('\\') + 1) + "planted\\" + file;
  }
  static std::string MarkOf(const std::string& dll) { return Planted(dll) + ".loaded"; }
};

TEST_F(PlantedDllTest, NoDllBesideTheProgramIsEverLoaded) {
  // The program inherits the record's name: it is made first.
  const LinkRecord record;
  ScopedClasses classes;
  BreakShellLinks(classes, Quoted(RecorderPath()) + " \"%1\"");
  TestProcess chromivo(Planted(kChromivoImageName));
  ASSERT_TRUE(chromivo.Start());
  const HWND window = chromivo.WaitForWindow(kChromivoCaption);
  ASSERT_NE(window, nullptr) << "the copy among the planted DLLs did not start";
  ::SetForegroundWindow(window);

  ASSERT_TRUE(Click(CentreOf(WindowRectOnScreen(Control(window, IDC_SELECT_COLOR)))));
  HWND colorDialog = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    for (const HWND shown : VisibleTopLevelWindows(chromivo.Id())) {
      colorDialog = ::GetWindow(shown, GW_OWNER) == window ? shown : colorDialog;
    }
    return colorDialog != nullptr;
  })) << "the colour dialog did not open";
  ::PostMessageA(colorDialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(colorDialog); }));

  ASSERT_TRUE(Click(CentreOf(WindowRectOnScreen(Control(window, IDC_HOME_LINK)))));
  ASSERT_TRUE(record.WaitForLines(1)) << "the link was not opened";

  ::PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(chromivo.WaitForExit(kDefaultTimeoutMs));
  for (const char* dll : kLoadedOnFirstUse) {
    EXPECT_EQ(::GetFileAttributesA(MarkOf(dll).c_str()), INVALID_FILE_ATTRIBUTES)
        << "the " << dll << " beside the program was loaded";
  }
}
