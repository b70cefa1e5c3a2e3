#include "framework/Wnd.h"

#include <commctrl.h>

#include <memory>
#include <unordered_map>
#include <vector>

#include "framework/Gdi.h"
#include "framework/WinApp.h"

namespace {

constexpr UINT_PTR kSubclassId = 0xC4A0;

// Windows bound to their objects, from binding until WM_NCDESTROY or the object's destruction.
std::unordered_map<HWND, CWnd*>& PermanentObjects() {
  static std::unordered_map<HWND, CWnd*> objects;
  return objects;
}

// Stateless wrappers for windows without a permanent object. A wrapper holds nothing but the
// handle, so a stale entry still wraps whatever window now has that handle; entries of destroyed
// windows are dropped whenever a permanent window goes away.
std::unordered_map<HWND, std::unique_ptr<CWnd>>& TemporaryObjects() {
  static std::unordered_map<HWND, std::unique_ptr<CWnd>> objects;
  return objects;
}

void DropTemporariesOfDestroyedWindows() {
  std::erase_if(TemporaryObjects(), [](const auto& entry) { return !::IsWindow(entry.first); });
}

bool PreTranslateTree(HWND hWndStop, MSG* pMsg) {
  for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
    if (CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
        wnd != nullptr && wnd->PreTranslateMessage(pMsg)) {
      return true;
    }
    if (hWnd == hWndStop || (::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD) == 0) {
      return false;
    }
  }
  return false;
}

}  // namespace

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* map, UINT message, UINT code,
                                            UINT id) {
  for (; map != nullptr; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfn != nullptr; ++entry) {
      if (entry->nMessage == message && entry->nCode == code && entry->nID == id) {
        return entry;
      }
    }
  }
  return nullptr;
}

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY noEntries[] = {{0, 0, 0, nullptr}};
  static const AFX_MSGMAP map = {nullptr, noEntries};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
  return GetThisMessageMap();
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, UINT nCode) {
  const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(GetMessageMap(), WM_COMMAND, nCode, nID);
  if (entry == nullptr) {
    return FALSE;
  }
  entry->pfn(this, 0, 0);
  return TRUE;
}

const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::~CWnd() {
  if (m_permanent && ::IsWindow(m_hWnd)) {
    // The window would outlive its object: unbind it first so no message reaches a dead object.
    const HWND hWnd = UnsubclassWindow();
    ::DestroyWindow(hWnd);
  }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
  const auto found = PermanentObjects().find(hWnd);
  return found == PermanentObjects().end() ? nullptr : found->second;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
  if (hWnd == nullptr) {
    return nullptr;
  }
  if (CWnd* permanent = FromHandlePermanent(hWnd)) {
    return permanent;
  }
  std::unique_ptr<CWnd>& temporary = TemporaryObjects()[hWnd];
  if (!temporary) {
    temporary.reset(new CWnd(hWnd));
  }
  return temporary.get();
}

BOOL CWnd::Attach(HWND hWnd) {
  if (!CanBind(hWnd)) {
    return FALSE;
  }
  if (!::SetWindowSubclass(hWnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
    return FALSE;
  }
  m_hWnd = hWnd;
  m_permanent = true;
  PermanentObjects()[hWnd] = this;
  TemporaryObjects().erase(hWnd);
  return TRUE;
}

// A window has at most one object: a second SetWindowSubclass with our procedure would silently
// take the first object's subclass over, and whichever object went first would unbind (and
// destroy) the window under the other.
bool CWnd::CanBind(HWND hWnd) const {
  return m_hWnd == nullptr && hWnd != nullptr && FromHandlePermanent(hWnd) == nullptr;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!CanBind(hWnd)) {
    return FALSE;
  }
  m_hWnd = hWnd;
  PreSubclassWindow();
  m_hWnd = nullptr;
  return Attach(hWnd);
}

HWND CWnd::UnsubclassWindow() {
  const HWND hWnd = m_hWnd;
  if (m_permanent) {
    ::RemoveWindowSubclass(hWnd, SubclassProc, kSubclassId);
    PermanentObjects().erase(hWnd);
  }
  m_hWnd = nullptr;
  m_permanent = false;
  return hWnd;
}

BOOL CWnd::DestroyWindow() {
  return m_hWnd != nullptr && ::DestroyWindow(m_hWnd);
}

void CWnd::GetWindowText(CString& text) const {
  std::vector<char> buffer(static_cast<size_t>(GetWindowTextLength()) + 1);
  ::GetWindowTextA(m_hWnd, buffer.data(), static_cast<int>(buffer.size()));
  text = buffer.data();
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT nFlags) {
  return ModifyStyleLong(GWL_STYLE, remove, add, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT nFlags) {
  return ModifyStyleLong(GWL_EXSTYLE, remove, add, nFlags);
}

BOOL CWnd::ModifyStyleLong(int index, DWORD remove, DWORD add, UINT nFlags) {
  const auto style = static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, index));
  const DWORD newStyle = (style & ~remove) | add;
  if (style == newStyle) {
    return FALSE;
  }
  ::SetWindowLongPtrA(m_hWnd, index, static_cast<LONG_PTR>(newStyle));
  if (nFlags != 0) {
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
  }
  return TRUE;
}

BOOL CWnd::PreTranslateMessage(MSG*) {
  return FALSE;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR refData) noexcept {
  CWnd* wnd = reinterpret_cast<CWnd*>(refData);
  if (message == WM_NCDESTROY) {
    const LRESULT result = ::DefSubclassProc(hWnd, message, wParam, lParam);
    wnd->OnNcDestroyed();
    return result;
  }
  return wnd->WindowProc(message, wParam, lParam);
}

void CWnd::OnNcDestroyed() {
  UnsubclassWindow();
  DropTemporariesOfDestroyedWindows();
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const CurrentMessage outer = m_currentMsg;
  m_currentMsg = {message, wParam, lParam};
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) {
    result = Default();
  }
  m_currentMsg = outer;
  return result;
}

LRESULT CWnd::Default() {
  return DefWindowProc(m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefSubclassProc(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_COMMAND) {
    *pResult = 0;
    return OnCommand(wParam, lParam);
  }
  if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC &&
      ReflectCtlColor(message, wParam, lParam, pResult)) {
    return TRUE;
  }
  const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(GetMessageMap(), message, 0, 0);
  if (entry == nullptr) {
    return FALSE;
  }
  *pResult = entry->pfn(this, wParam, lParam);
  return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  const UINT code = HIWORD(wParam);
  LRESULT ignored = 0;
  if (CWnd* control = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
      control != nullptr && control->OnChildNotify(WM_COMMAND, wParam, lParam, &ignored)) {
    return TRUE;
  }
  if (OnCmdMsg(id, code)) {
    return TRUE;
  }
  // Commands nobody in the window handles go to the application, as menu commands would.
  CWinApp* app = AfxGetApp();
  return lParam == 0 && app != nullptr && app->OnCmdMsg(id, code);
}

BOOL CWnd::ReflectCtlColor(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  CWnd* control = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
  return control != nullptr && control->OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT* pResult) {
  if (message == WM_COMMAND) {
    const AFX_MSGMAP_ENTRY* entry =
        AfxFindMessageEntry(GetMessageMap(), WM_REFLECT_BASE + WM_COMMAND, HIWORD(wParam), 0);
    if (entry == nullptr) {
      return FALSE;
    }
    *pResult = entry->pfn(this, 0, 0);
    return TRUE;
  }
  const AFX_MSGMAP_ENTRY* entry =
      AfxFindMessageEntry(GetMessageMap(), WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0);
  if (entry == nullptr) {
    return FALSE;
  }
  // A control that answers with no brush leaves the colours to its parent.
  *pResult = entry->pfn(this, wParam, static_cast<LPARAM>(message - WM_CTLCOLORMSGBOX));
  return *pResult != 0;
}

void AfxTranslateAndDispatch(HWND hWndStop, MSG* pMsg) {
  if (!PreTranslateTree(hWndStop, pMsg)) {
    ::TranslateMessage(pMsg);
    ::DispatchMessageA(pMsg);
  }
}
