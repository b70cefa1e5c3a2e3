// CLinkLabel: a static text that behaves as a web link. Blue and underlined, violet under the
// mouse with a hand cursor (in a contrast theme, the theme's colour for links); a click, or Enter
// or Space while it has the keyboard focus, hands its address to the shell, or, when the shell
// cannot open it, to the program associated with ".htm" files. Focused from the keyboard, it
// shows the system's focus rectangle around its text.
#pragma once

#include "framework/Framework.h"

class CLinkLabel : public CStatic {
 public:
  CLinkLabel() = default;

  // The address to open and the cursor to show; the caption stays what it is.
  void SetLink(CString link, HCURSOR cursor);

 protected:
  void PreSubclassWindow() override;

  void OnClicked();
  HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  void OnPaint();
  LRESULT OnFocusChanged(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
  LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  void OnMouseMove(UINT nFlags, CPoint point);
  LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
  // A new font for the label (its dialog's, at another DPI): shown as an underlined copy.
  LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);

  int OpenLink(LPCSTR address, int showCommand);
  // Reads a key's default value into destination (destinationSize bytes). ERROR_SUCCESS, or the
  // error of opening the key, or of a value that is missing, empty, unterminated or too long.
  LONG ReadKeyDefaultValue(HKEY root, LPCSTR subkey, LPSTR destination, DWORD destinationSize);

  HCURSOR m_linkCursor = nullptr;
  BOOL m_hovering = FALSE;
  CString m_link;
  CFont m_underlineFont;

 private:
  // Makes the underlined copy of the font in `underlined`; false when it cannot be read or made.
  static bool MakeUnderlinedCopy(HFONT font, CFont& underlined);
  int OpenWithHtmlProgram(LPCSTR address, int showCommand);
  bool TrackMouseLeave();
  void RepaintNow();
  void PaintParentBackground(CDC& dc);
  bool ShowsFocusCue();
  CRect TextRect(CDC& dc);

  DECLARE_MESSAGE_MAP()
};

// The pointing hand the owners give their links: the application's cursor resource.
HCURSOR LoadLinkCursor();
