// A copy when the system gives no memory block for the text, or none that can be locked: the
// picker window in the test process, with the memory functions it imports refused for the while.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <thread>

#include "PickerFixture.h"
#include "fixtures/Clipboard.h"
#include "res/resource.h"

namespace {

// The import address table slot through which every call in this executable (the program's code
// is linked into it) reaches the function; null when it imports no such function.
void** ImportSlot(const char* dllName, const char* functionName) {
  auto* const base = reinterpret_cast<BYTE*>(::GetModuleHandleA(nullptr));
  const auto* dosHeader = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* ntHeaders = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dosHeader->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      ntHeaders->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) {
    return nullptr;
  }
  for (auto* dll = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       dll->Name != 0; ++dll) {
    if (_stricmp(reinterpret_cast<const char*>(base + dll->Name), dllName) != 0) {
      continue;
    }
    const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
        continue;
      }
      const auto* byName =
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), functionName) == 0) {
        return reinterpret_cast<void**>(&slots->u1.Function);
      }
    }
  }
  return nullptr;
}

// Sends this executable's calls of an imported function to a replacement until destruction. The
// system's own DLLs keep calling the real one.
class ImportReplacement {
 public:
  ImportReplacement(const char* dllName, const char* functionName, void* replacement)
      : m_slot(ImportSlot(dllName, functionName)) {
    if (m_slot != nullptr) {
      m_original = *m_slot;
      Write(replacement);
    }
  }
  ~ImportReplacement() {
    if (m_slot != nullptr) {
      Write(m_original);
    }
  }
  ImportReplacement(const ImportReplacement&) = delete;
  ImportReplacement& operator=(const ImportReplacement&) = delete;

  bool IsActive() const { return m_slot != nullptr; }

 private:
  // The table may lie in read-only pages once the loader has filled it.
  void Write(void* address) {
    DWORD protection = 0;
    ::VirtualProtect(m_slot, sizeof(*m_slot), PAGE_READWRITE, &protection);
    *m_slot = address;
    ::VirtualProtect(m_slot, sizeof(*m_slot), protection, &protection);
  }

  void** m_slot;
  void* m_original = nullptr;
};

HGLOBAL WINAPI RefuseGlobalAlloc(UINT, SIZE_T) {
  ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return nullptr;
}

LPVOID WINAPI RefuseGlobalLock(HGLOBAL) {
  ::SetLastError(ERROR_INVALID_HANDLE);
  return nullptr;
}

// Whether another thread can open the clipboard. This thread, the window's, could open it again
// even if the copy had left it open.
bool ClipboardIsClosed() {
  bool opened = false;
  std::thread other([&opened] {
    opened = ::OpenClipboard(nullptr) != FALSE;
    if (opened) {
      ::CloseClipboard();
    }
  });
  other.join();
  return opened;
}

}  // namespace

using CopyTest = PickerTest;

TEST_F(CopyTest, WithoutAUsableBlockTheClipboardKeepsWhatItHadAndIsClosedAgain) {
  ClickButton(IDC_COPY_RGB);
  EXPECT_TRUE(ClipboardIsClosed());
  std::optional<ClipboardContents> contents = TryReadClipboard();
  ASSERT_TRUE(contents && contents->text);
  EXPECT_EQ(contents->text->text, "RGB(255,255,255)");

  const struct {
    const char* function;
    void* refusal;
  } refusals[] = {{"GlobalAlloc", reinterpret_cast<void*>(&RefuseGlobalAlloc)},
                  {"GlobalLock", reinterpret_cast<void*>(&RefuseGlobalLock)}};
  for (const auto& refused : refusals) {
    SCOPED_TRACE(refused.function);
    ASSERT_TRUE(PutClipboardText("before", 7));
    {
      const ImportReplacement refusal("kernel32.dll", refused.function, refused.refusal);
      ASSERT_TRUE(refusal.IsActive());
      // A write through the null block would end the test program here.
      ClickButton(IDC_COPY_HEX);
    }
    EXPECT_TRUE(ClipboardIsClosed());
    // What the user had copied stays: the clipboard is not touched without a block to give it.
    contents = TryReadClipboard();
    ASSERT_TRUE(contents && contents->text);
    EXPECT_EQ(contents->text->text, "before");
  }
}
