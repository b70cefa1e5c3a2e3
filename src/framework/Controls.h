// The control classes: thin objects over the standard and common controls.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/Wnd.h"

class CStatic : public CWnd {};

class CEdit : public CWnd {
 public:
  // Selects the range and, unless told not to, scrolls the caret into view.
  void SetSel(int startChar, int endChar, BOOL noScroll = FALSE) {
    SendMessage(EM_SETSEL, static_cast<WPARAM>(startChar), endChar);
    if (!noScroll) {
      SendMessage(EM_SCROLLCARET, 0, 0);
    }
  }
};

class CSpinButtonCtrl : public CWnd {
 public:
  void SetBuddy(CWnd* pWndBuddy) {
    SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(pWndBuddy ? pWndBuddy->m_hWnd : nullptr), 0);
  }
  void SetRange32(int lower, int upper) {
    SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(lower), upper);
  }
};

class CSliderCtrl : public CWnd {
 public:
  void SetRange(int minimum, int maximum, BOOL redraw = FALSE) {
    SendMessage(TBM_SETRANGEMIN, FALSE, minimum);
    SendMessage(TBM_SETRANGEMAX, redraw, maximum);
  }
  int GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS, 0, 0)); }
  void SetPos(int position) { SendMessage(TBM_SETPOS, TRUE, position); }
};
