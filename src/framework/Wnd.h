// CCmdTarget and CWnd: window objects bound to their windows, with message maps.
#pragma once

#include <windows.h>

#include "framework/Geometry.h"
#include "framework/MessageMap.h"
#include "framework/String.h"

// Anything with a message map: windows and the application.
class CCmdTarget {
 public:
  CCmdTarget() = default;
  virtual ~CCmdTarget() = default;
  CCmdTarget(const CCmdTarget&) = delete;
  CCmdTarget& operator=(const CCmdTarget&) = delete;

  // Runs the map's handler for a WM_COMMAND with this id and notification code, if there is one.
  virtual BOOL OnCmdMsg(UINT nID, UINT nCode);

 protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
};

// A window object. A permanent object is bound to its window by subclassing (the subclass's
// reference data is the object), from SubclassWindow or a dialog's creation until WM_NCDESTROY;
// FromHandle gives a stateless temporary for any other window. Objects may outlive their windows.
class CWnd : public CCmdTarget {
 public:
  CWnd() = default;
  ~CWnd() override;

  HWND m_hWnd = nullptr;

  static const CWnd wndTopMost;
  static const CWnd wndNoTopMost;

  static CWnd* FromHandle(HWND hWnd);
  static CWnd* FromHandlePermanent(HWND hWnd);

  operator HWND() const { return m_hWnd; }

  // Binds the object to an existing window: PreSubclassWindow first, then every message of the
  // window goes through this object's map, unhandled ones to the window's own procedure. Fails
  // when the window is already bound to an object. A Unicode window (every common controls 6
  // control) brings its messages to the map in their Unicode form: text parameters are UTF-16.
  BOOL SubclassWindow(HWND hWnd);
  HWND UnsubclassWindow();

  virtual BOOL PreTranslateMessage(MSG* pMsg);

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
  }
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
  }
  CWnd* GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
  void SetWindowText(LPCSTR text) { ::SetWindowTextA(m_hWnd, text); }
  void SetDlgItemText(int nID, LPCSTR text) { ::SetDlgItemTextA(m_hWnd, nID, text); }
  int GetWindowText(LPSTR buffer, int maxCount) const {
    return ::GetWindowTextA(m_hWnd, buffer, maxCount);
  }
  void GetWindowText(CString& text) const;
  int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }

  DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)); }
  DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE)); }
  // With nFlags 0 the style changes without moving or redrawing the window.
  BOOL ModifyStyle(DWORD remove, DWORD add, UINT nFlags = 0);
  BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT nFlags = 0);

  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) {
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
  }
  void MoveWindow(LPCRECT rect, BOOL repaint = TRUE) {
    MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
  }
  BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT flags) {
    return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy,
                          flags);
  }
  BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  void GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
  void GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
  void InvalidateRect(LPCRECT rect, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, rect, erase); }
  BOOL RedrawWindow(LPCRECT rectUpdate = nullptr, HRGN regionUpdate = nullptr,
                    UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) {
    return ::RedrawWindow(m_hWnd, rectUpdate, regionUpdate, flags);
  }
  BOOL UpdateWindow() { return ::UpdateWindow(m_hWnd); }
  CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
  BOOL DestroyWindow();

 protected:
  // Message dispatch: the map first, then Default().
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  // Offers a notification that this control sent its parent to this control's own map.
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  // The message being handled, passed on to the window's original procedure.
  LRESULT Default();
  // Another message, or the same with other parameters, to the window's original procedure.
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual void PreSubclassWindow() {}
  // Installs the subclass without PreSubclassWindow; dialogs bind themselves this way.
  BOOL Attach(HWND hWnd);

 private:
  struct CurrentMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };

  explicit CWnd(HWND special) : m_hWnd(special) {}
  static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR idSubclass, DWORD_PTR refData) noexcept;
  bool CanBind(HWND hWnd) const;
  // GWL_STYLE or GWL_EXSTYLE.
  BOOL ModifyStyleLong(int index, DWORD remove, DWORD add, UINT nFlags);
  BOOL ReflectCtlColor(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  void OnNcDestroyed();

  CurrentMessage m_currentMsg{};
  bool m_permanent = false;
};

// One step of a message loop, shared by the modal loop, the application's loop and the loops of
// tests: every object from the message's window up to hWndStop may take the message in its
// PreTranslateMessage; a message none takes is translated and dispatched.
void AfxTranslateAndDispatch(HWND hWndStop, MSG* pMsg);
