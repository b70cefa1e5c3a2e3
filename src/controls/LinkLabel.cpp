#include "controls/LinkLabel.h"

#include <shellapi.h>

#include <cstring>

#include "controls/OpenCommand.h"
#include "res/resource.h"

namespace {

constexpr COLORREF kLinkBlue = RGB(0, 0, 255);
constexpr COLORREF kHoverViolet = RGB(128, 0, 255);
constexpr DWORD kRegistryValueSize = MAX_PATH;
constexpr char kHtmlExtension[] = ".htm";
constexpr char kOpenCommandKey[] = "\\shell\\open\\command";

}  // namespace

BEGIN_MESSAGE_MAP(CLinkLabel, CStatic)
  ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
  ON_WM_CTLCOLOR_REFLECT()
  ON_WM_SETCURSOR()
  ON_WM_MOUSEMOVE()
  ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
  ON_MESSAGE(WM_SETFONT, OnSetFont)
  ON_WM_PAINT()
  ON_MESSAGE(WM_SETFOCUS, OnFocusChanged)
  ON_MESSAGE(WM_KILLFOCUS, OnFocusChanged)
  ON_MESSAGE(WM_UPDATEUISTATE, OnFocusChanged)
  ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCode)
  ON_MESSAGE(WM_KEYDOWN, OnKeyDown)
END_MESSAGE_MAP()

HCURSOR LoadLinkCursor() {
  return AfxGetApp()->LoadCursor(IDC_HAND_CURSOR);
}

void CLinkLabel::SetLink(CString link, HCURSOR cursor) {
  m_link = link;
  m_linkCursor = cursor;
}

// The caption and the address default to each other; the text gets an underlined copy of the
// control's own font (or of the system font, which a static without a font of its own shows).
void CLinkLabel::PreSubclassWindow() {
  ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(GetStyle() | SS_NOTIFY));
  if (m_link.IsEmpty()) {
    GetWindowText(m_link);
  }
  if (GetWindowTextLength() == 0) {
    SetWindowText(m_link);
  }

  HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  if (font == nullptr) {
    font = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
  }
  if (MakeUnderlinedCopy(font, m_underlineFont)) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(m_underlineFont)), TRUE);
  }
  CStatic::PreSubclassWindow();
}

bool CLinkLabel::MakeUnderlinedCopy(HFONT font, CFont& underlined) {
  LOGFONTA logFont{};
  if (::GetObjectA(font, sizeof(logFont), &logFont) != sizeof(logFont)) {
    return false;
  }
  logFont.lfUnderline = TRUE;
  return underlined.CreateFontIndirect(&logFont) != FALSE;
}

// The underlined copy made before is deleted once the control has taken the new one.
LRESULT CLinkLabel::OnSetFont(WPARAM wParam, LPARAM lParam) {
  CFont underlined;
  if (!MakeUnderlinedCopy(reinterpret_cast<HFONT>(wParam), underlined)) {
    return Default();
  }
  const LRESULT result =
      DefWindowProc(WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(underlined)), lParam);
  m_underlineFont.Attach(underlined.Detach());
  return result;
}

// The label turns violet once the system has promised to tell it when the pointer leaves
// (TrackMouseEvent). It never takes the mouse capture: a capture would route every press on the
// screen to the label until its next mouse move, so a tap, or a press that comes with its own move,
// would open the link instead of reaching the window under the pointer.
void CLinkLabel::OnMouseMove(UINT, CPoint) {
  Default();
  if (m_hovering || !TrackMouseLeave()) {
    return;
  }
  m_hovering = TRUE;
  RepaintNow();
}

// False when the pointer had already left by the time the move was handled. Windows then posts
// the leave at once; Wine tracks nothing and posts nothing, so the label asks what is tracked.
bool CLinkLabel::TrackMouseLeave() {
  TRACKMOUSEEVENT request{sizeof(request), TME_LEAVE, m_hWnd, 0};
  TRACKMOUSEEVENT tracking{sizeof(tracking), TME_QUERY, nullptr, 0};
  return ::TrackMouseEvent(&request) && ::TrackMouseEvent(&tracking) &&
         tracking.hwndTrack == m_hWnd && (tracking.dwFlags & TME_LEAVE) != 0;
}

LRESULT CLinkLabel::OnMouseLeave(WPARAM, LPARAM) {
  m_hovering = FALSE;
  RepaintNow();
  return 0;
}

void CLinkLabel::RepaintNow() {
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

HBRUSH CLinkLabel::CtlColor(CDC* pDC, UINT) {
  if (AfxGetAccessibility().IsContrastThemeOn()) {
    pDC->SetTextColor(::GetSysColor(COLOR_HOTLIGHT));
  } else {
    pDC->SetTextColor(m_hovering ? kHoverViolet : kLinkBlue);
  }
  pDC->SetBkMode(TRANSPARENT);
  return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

// Each paint starts from the dialog's own background, which shows through the text (the colours
// return a null brush), so that the focus rectangle, drawn with XOR, is drawn once on a fresh
// background and goes with the focus. The static draws its text as always.
void CLinkLabel::OnPaint() {
  CPaintDC dc(this);
  PaintParentBackground(dc);
  SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), PRF_CLIENT);
  if (ShowsFocusCue()) {
    const CRect focus = TextRect(dc);
    dc.DrawFocusRect(focus);
  }
}

// What the parent paints under the label: its background, erased into the label's DC moved to
// where the label stands in it.
void CLinkLabel::PaintParentBackground(CDC& dc) {
  const HWND parent = ::GetParent(m_hWnd);
  POINT offset{0, 0};
  ::MapWindowPoints(m_hWnd, parent, &offset, 1);
  POINT before{};
  ::SetViewportOrgEx(dc, -offset.x, -offset.y, &before);
  ::SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
  ::SetViewportOrgEx(dc, before.x, before.y, nullptr);
}

// Focused, and the user has not asked to hide focus cues (Windows hides them until the keyboard
// is used, "WM_UPDATEUISTATE").
bool CLinkLabel::ShowsFocusCue() {
  return ::GetFocus() == m_hWnd && (SendMessage(WM_QUERYUISTATE) & UISF_HIDEFOCUS) == 0;
}

// The text's extent in the label's font, one pixel around it, within the label.
CRect CLinkLabel::TextRect(CDC& dc) {
  CString text;
  GetWindowText(text);
  CRect rect;
  GetClientRect(rect);
  const HGDIOBJ before = ::SelectObject(dc, reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
  CRect extent = rect;
  ::DrawTextA(dc, text, -1, extent, DT_CALCRECT | DT_SINGLELINE | DT_LEFT);
  ::SelectObject(dc, before);
  extent.InflateRect(1, 1);
  CRect focus;
  focus.IntersectRect(extent, rect);
  return focus;
}

LRESULT CLinkLabel::OnFocusChanged(WPARAM, LPARAM) {
  const LRESULT result = Default();
  InvalidateRect(nullptr);
  return result;
}

// Enter on a focused link opens it: the dialog manager would otherwise take it as OK.
LRESULT CLinkLabel::OnGetDlgCode(WPARAM, LPARAM lParam) {
  const LRESULT code = Default();
  const auto* message = reinterpret_cast<const MSG*>(lParam);
  if (message != nullptr && message->message == WM_KEYDOWN && message->wParam == VK_RETURN) {
    return code | DLGC_WANTMESSAGE;
  }
  return code;
}

// Enter and Space open the link, once for each press: a key held down repeats nothing.
LRESULT CLinkLabel::OnKeyDown(WPARAM wParam, LPARAM lParam) {
  const bool repeat = (lParam & (1 << 30)) != 0;
  if ((wParam == VK_RETURN || wParam == VK_SPACE) && !repeat) {
    OpenLink(m_link, SW_SHOW);
    return 0;
  }
  return Default();
}

BOOL CLinkLabel::OnSetCursor(CWnd*, UINT, UINT) {
  if (m_linkCursor == nullptr) {
    return FALSE;
  }
  ::SetCursor(m_linkCursor);
  return TRUE;
}

// The next mouse move over the label starts the tracking afresh; the label keeps its colour until
// then, or until the pointer leaves it.
void CLinkLabel::OnClicked() {
  m_hovering = FALSE;
  OpenLink(m_link, SW_SHOW);
}

// The shell asks for COM on the calling thread. It is initialised the first time a link is
// opened, not at start-up, where it would cost every start; it then lasts until the program ends.
int CLinkLabel::OpenLink(LPCSTR address, int showCommand) {
  static const CComApartment comForTheShell;
  const auto shellResult = reinterpret_cast<INT_PTR>(
      ::ShellExecuteA(nullptr, "open", address, nullptr, nullptr, showCommand));
  if (static_cast<UINT_PTR>(shellResult) > 32) {
    return static_cast<int>(shellResult);
  }
  const int fallbackResult = OpenWithHtmlProgram(address, showCommand);
  return fallbackResult >= 0 ? fallbackResult : static_cast<int>(shellResult);
}

// Starts the ".htm" program with the address; -1 when its command cannot be read or the command
// line would not fit.
int CLinkLabel::OpenWithHtmlProgram(LPCSTR address, int showCommand) {
  char fileType[kRegistryValueSize + sizeof(kOpenCommandKey)] = {};
  if (ReadKeyDefaultValue(HKEY_CLASSES_ROOT, kHtmlExtension, fileType, kRegistryValueSize) !=
      ERROR_SUCCESS) {
    return -1;
  }
  std::strncat(fileType, kOpenCommandKey, sizeof(fileType) - std::strlen(fileType) - 1);
  char association[kRegistryValueSize] = {};
  if (ReadKeyDefaultValue(HKEY_CLASSES_ROOT, fileType, association, sizeof(association)) !=
      ERROR_SUCCESS) {
    return -1;
  }
  char commandLine[kOpenCommandLineSize] = {};
  if (!BuildOpenCommandLine(association, address, commandLine, sizeof(commandLine))) {
    return -1;
  }
  return static_cast<int>(::WinExec(commandLine, static_cast<UINT>(showCommand)));
}

LONG CLinkLabel::ReadKeyDefaultValue(HKEY root, LPCSTR subkey, LPSTR destination,
                                     DWORD destinationSize) {
  HKEY key = nullptr;
  const LONG opened = ::RegOpenKeyExA(root, subkey, 0, KEY_QUERY_VALUE, &key);
  if (opened != ERROR_SUCCESS) {
    return opened;
  }
  char value[kRegistryValueSize] = {};
  LONG size = sizeof(value);
  LONG result = ::RegQueryValueA(key, nullptr, value, &size);
  ::RegCloseKey(key);
  if (result == ERROR_SUCCESS) {
    const bool terminated = size > 0 && value[size - 1] == '\0';
    if (terminated && size == 1) {
      // RegQueryValue reports a key without a default value as an empty string; an empty
      // command would run the address itself as a program.
      result = ERROR_FILE_NOT_FOUND;
    } else if (!terminated || static_cast<DWORD>(size) > destinationSize) {
      result = ERROR_INVALID_DATA;
    } else {
      std::memcpy(destination, value, static_cast<size_t>(size));
    }
  }
  return result;
}
