// Screen pick mode: the window freezes every monitor in a snapshot and covers them all; a left
// button release takes the colour under the cursor, a right release or Esc gives up.
#include <algorithm>
#include <iterator>

#include "picker/PanelDesign.h"
#include "picker/PickerDialog.h"
#include "picker/ScreenSettle.h"
#include "res/resource.h"

namespace {

constexpr DWORD kFrameStyles = WS_POPUP | WS_CAPTION;
constexpr DWORD kFrameExStyles = WS_EX_DLGMODALFRAME;

void SetClassCursor(HWND hWnd, HCURSOR cursor) {
  ::SetClassLongPtrA(hWnd, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursor));
}

}  // namespace

// Pick mode starts only in the foreground: a frozen screen over everything whose Esc went to
// another program would look like a hung machine. Nor does it start without room for the
// snapshot (several large monitors ask hundreds of megabytes of a 32-bit process): a screen that
// could not be copied would freeze black, or stale, and its click would set a colour nobody saw.
// Both are settled before anything changes. The window is parked off the screen and its controls
// hidden before the copy, and the copy waits for the screen to show what lay under the window,
// so the snapshot never shows the program itself. Pick mode holds the mouse: a release anywhere,
// on another monitor too, comes here.
void CPickerDialog::StartPicking() {
  if (m_picking) {
    return;
  }
  m_pickGeometry = PickGeometryFor(Monitors());
  if (!MakeSnapshotBitmap() || !BecomeForegroundWindow()) {
    m_snapshot.DeleteObject();
    return;
  }
  const HCURSOR target = ::LoadCursorA(AfxGetInstanceHandle(), IDC_TARGET_CURSOR_NAME);
  SetClassCursor(m_hWnd, target);
  m_picking = 1;
  // Its moves to park and to cover the screen may cross monitors of other DPIs: nothing of that
  // may reshape the pick window.
  HoldLayout();

  GetWindowRect(m_savedRect);
  ModifyStyle(kFrameStyles, 0, 0);
  ModifyStyleEx(kFrameExStyles, 0, 0);
  SetWindowPos(&wndTopMost, m_pickGeometry.parked.x, m_pickGeometry.parked.y, 1, 1, 0);
  ShowPanelControls(FALSE);
  WaitUntilScreenShowsRectWithout(m_hWnd, m_savedRect);
  TakeSnapshot();

  MoveWindow(m_pickGeometry.window);
  SetCapture();
  // A window that holds the capture gets no WM_SETCURSOR, so the class cursor would not show
  // until the capture ends; nothing else sets the cursor meanwhile.
  ::SetCursor(target);
}

// A bitmap the size of the virtual screen, compatible with the screen; false when the system has
// no room for it.
bool CPickerDialog::MakeSnapshotBitmap() {
  const SIZE size = m_pickGeometry.SnapshotSize();
  CClientDC screen(nullptr);
  return m_snapshot.CreateCompatibleBitmap(&screen, size.cx, size.cy) != FALSE;
}

// The screen's device context spans every monitor, in screen coordinates: the primary's top-left
// corner at (0, 0), monitors left of or above it negative. (Under Wine a display context made with
// CreateDC has its origin at the virtual screen's corner instead.) Each monitor is one copy of its
// own: no copy reaches where no monitor shows anything.
void CPickerDialog::TakeSnapshot() {
  const CPoint origin = m_pickGeometry.SnapshotOrigin();
  CClientDC screen(nullptr);
  CDC memory;
  memory.CreateCompatibleDC(&screen);
  memory.SelectObject(&m_snapshot);
  for (const RECT& monitor : m_pickGeometry.monitors) {
    memory.BitBlt(monitor.left - origin.x, monitor.top - origin.y, monitor.right - monitor.left,
                  monitor.bottom - monitor.top, &screen, monitor.left, monitor.top, SRCCOPY);
  }
}

std::vector<RECT> CPickerDialog::Monitors() const {
  return MonitorsNow();
}

// The process that received the hot key (or the click) may take the foreground ("Remarks" of
// SetForegroundWindow); the window is restored first only if it is minimised, since hiding and
// showing it would move its taskbar button.
bool CPickerDialog::BecomeForegroundWindow() {
  if (::IsIconic(m_hWnd)) {
    ShowWindow(SW_RESTORE);
  }
  ::SetForegroundWindow(m_hWnd);
  return ::GetForegroundWindow() == m_hWnd;
}

// The colour is set while the panel is still hidden, so the window comes back showing it.
void CPickerDialog::StopPicking() {
  m_picking = 0;
  ::ReleaseCapture();
  ModifyStyle(0, kFrameStyles, 0);
  ModifyStyleEx(0, kFrameExStyles, 0);
  PlaceInKeepOnTopBand();
  MoveWindow(m_savedRect.left, m_savedRect.top, m_savedRect.Width(), m_savedRect.Height(), TRUE);
  // A DPI or frame change that came while picking: the panel is laid out for it where it stands.
  ReleaseLayout();
  // Shrinking keeps the client area's old bits, a corner of the snapshot: the panel must be
  // painted afresh, background and all.
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  ShowPanelControls(TRUE);
  SetClassCursor(m_hWnd, ::LoadCursorA(nullptr, IDC_ARROW));
  m_snapshot.DeleteObject();
  m_hotKey.OnWayOutOfPickMode();
}

// One batch for all 29. Hiding a control one by one gives the keyboard focus to the window if the
// control had it; so does hiding them all.
void CPickerDialog::ShowPanelControls(BOOL show) {
  if (!show && ::IsChild(m_hWnd, ::GetFocus())) {
    ::SetFocus(m_hWnd);
  }
  CWindowPosBatch controls(static_cast<int>(std::size(PanelDesign::kControls)));
  for (const CControlPlace& control : PanelDesign::kControls) {
    controls.Show(::GetDlgItem(m_hWnd, control.id), show != FALSE);
  }
}

// The whole snapshot, whatever part of the window was invalid.
void CPickerDialog::PaintSnapshot() {
  CClientDC window(this);
  CDC memory;
  memory.CreateCompatibleDC(&window);
  memory.SelectObject(&m_snapshot);
  const SIZE size = m_pickGeometry.SnapshotSize();
  window.BitBlt(0, 0, size.cx, size.cy, &memory, 0, 0, SRCCOPY);
}

// The pixel is the one where the button was released: the message's own client position.
// GetCursorPos would give where the pointer is when the message is handled, which may be
// elsewhere by then (and under Wine can be an earlier position still). What is read is what the
// window shows: the snapshot, not the live screen. A point where nothing of the window is
// visible cannot be read (CLR_INVALID), and a release beyond the virtual screen (the window
// covers every monitor, but it can be moved) reads nothing: then pick mode ends without a change.
void CPickerDialog::OnLButtonUp(UINT, CPoint point) {
  if (m_picking) {
    // A release made soon after entry is handled before the first WM_PAINT, which the queue
    // gives last: the snapshot is painted first, so that the window shows it where it is read.
    UpdateWindow();
    COLORREF pixel = CLR_INVALID;
    if (m_pickGeometry.window.PtInRect(m_pickGeometry.ScreenPixelOf(point))) {
      CClientDC window(this);
      pixel = window.GetPixel(point.x, point.y);
    }
    if (pixel != CLR_INVALID) {
      SetCurrentColor(pixel, true);
    }
    StopPicking();
  }
  Default();
}

void CPickerDialog::OnRButtonUp(UINT, CPoint) {
  if (m_picking) {
    StopPicking();
  }
  Default();
}

// Another program took the mouse (or the system cancelled the capture): the frozen screen must
// not stay over everything while clicks go elsewhere. The window's own release at the end of pick
// mode, and its destruction once the dialog has ended, change nothing.
void CPickerDialog::OnCaptureChanged(CWnd* pWnd) {
  if (m_picking && pWnd != this && !HasEnded()) {
    StopPicking();
  }
}

// Another window became the active one while picking: a press that reached the window under the
// parked pick window during entry, Alt+Tab, a program that took the foreground. Keys now go there,
// Esc among them, so pick mode ends. Not at once: the deactivation can come while StartPicking
// waits for the screen, and pick mode must not end in the middle of its own entry.
LRESULT CPickerDialog::OnActivate(WPARAM wParam, LPARAM) {
  if (LOWORD(wParam) == WA_INACTIVE && m_picking) {
    PostMessage(WM_CANCELMODE);
  }
  return Default();
}

LRESULT CPickerDialog::OnCancelMode(WPARAM, LPARAM) {
  if (m_picking && !HasEnded()) {
    StopPicking();
  }
  return Default();
}

// Without its frame the pick window is an overlapped window, whose size Windows keeps within the
// largest a user could drag: it must never cut the pick window short of the virtual screen.
LRESULT CPickerDialog::OnGetMinMaxInfo(WPARAM, LPARAM lParam) {
  if (m_picking) {
    auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
    const SIZE size = m_pickGeometry.SnapshotSize();
    limits->ptMaxTrackSize.x = std::max<LONG>(limits->ptMaxTrackSize.x, size.cx);
    limits->ptMaxTrackSize.y = std::max<LONG>(limits->ptMaxTrackSize.y, size.cy);
    return 0;
  }
  return Default();
}

// The monitors changed: the frozen image no longer matches the screen.
LRESULT CPickerDialog::OnDisplayChange(WPARAM, LPARAM) {
  if (m_picking) {
    StopPicking();
  }
  return Default();
}

// While the colour dialog is open it has disabled this window: pick mode would cover the dialog
// with a window that takes no clicks, and Esc would go to the dialog underneath.
LRESULT CPickerDialog::OnHotKey(WPARAM wParam, LPARAM) {
  if (m_hotKey.IsNewPress(wParam) && IsWindowEnabled()) {
    StartPicking();
  }
  return 0;
}
