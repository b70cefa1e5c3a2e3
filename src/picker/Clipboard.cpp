// The Copy buttons and the system colour dialog.
#include <algorithm>
#include <cstring>
#include <iterator>

#include "picker/PickerDialog.h"
#include "res/resource.h"

#include <commdlg.h>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// Owns a global memory block until the clipboard takes it.
class GlobalBlock {
 public:
  GlobalBlock(UINT flags, SIZE_T bytes) : m_block(::GlobalAlloc(flags, bytes)) {}
  ~GlobalBlock() {
    if (m_block != nullptr) {
      ::GlobalFree(m_block);
    }
  }
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;

  HGLOBAL Get() const { return m_block; }
  HGLOBAL Release() {
    HGLOBAL block = m_block;
    m_block = nullptr;
    return block;
  }

 private:
  HGLOBAL m_block;
};

// Copies the text with its NUL into the block; false when the block cannot be locked.
bool FillBlock(HGLOBAL block, const CString& text) {
  void* memory = ::GlobalLock(block);
  if (memory == nullptr) {
    return false;
  }
  std::memcpy(memory, static_cast<LPCSTR>(text), static_cast<size_t>(text.GetLength()) + 1);
  ::GlobalUnlock(block);
  return true;
}

}  // namespace

void CPickerDialog::OnCopyHex() {
  CopyTextOf(IDC_HEX_TEXT);
}

void CPickerDialog::OnCopyHtml() {
  CopyTextOf(IDC_HTML_TEXT);
}

void CPickerDialog::OnCopyRgb() {
  CopyTextOf(IDC_RGB_TEXT);
}

// The text exactly as the control shows it.
void CPickerDialog::CopyTextOf(int textId) {
  CString text;
  GetDlgItem(textId)->GetWindowText(text);
  CopyTextToClipboard(text);
}

// Plain text only, exactly as shown, without a line end. The block is made and filled before the
// clipboard is touched: when no memory can be had, what the user had copied stays there. When
// another program holds the clipboard open nothing happens, and the block is freed.
void CPickerDialog::CopyTextToClipboard(CString text) {
  GlobalBlock block(GMEM_MOVEABLE | GMEM_DDESHARE, static_cast<SIZE_T>(text.GetLength()) + 1);
  if (block.Get() == nullptr || !FillBlock(block.Get(), text) || !::OpenClipboard(m_hWnd)) {
    return;
  }
  ::EmptyClipboard();
  if (::SetClipboardData(CF_TEXT, block.Get()) != nullptr) {
    block.Release();  // the clipboard owns it now
  }
  ::CloseClipboard();
}

// Every opening starts afresh: black selected, sixteen white custom colours, fully open.
void CPickerDialog::OnSelectColor() {
  COLORREF customColors[16];
  std::fill(std::begin(customColors), std::end(customColors), kWhite);
  CHOOSECOLORA chooser{};
  chooser.lStructSize = sizeof(chooser);
  chooser.hwndOwner = m_hWnd;
  chooser.rgbResult = RGB(0, 0, 0);
  chooser.lpCustColors = customColors;
  chooser.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (::ChooseColorA(&chooser)) {
    SetCurrentColor(chooser.rgbResult, true);
  }
}
