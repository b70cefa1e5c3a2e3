// CPickerDialog: Chromivo's one window. It holds the current colour, shows it as three texts, three
// channel editors and a swatch, and turns into a frozen image of the screen while picking.
#pragma once

#include "controls/LinkLabel.h"
#include "framework/Framework.h"
#include "picker/PickGeometry.h"
#include "picker/PickHotKey.h"

class CPickerDialog : public CDialog {
 public:
  explicit CPickerDialog(CWnd* pParent = nullptr);

  // The only way the colour changes: stores it and rewrites every view of it. The channel edits
  // are rewritten only when asked; their own change handlers pass false.
  void SetCurrentColor(COLORREF color, bool updateEdits);

  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

  // Window: painting, commands and the ways to end.
  void OnSysCommand(UINT nID, LPARAM lParam);
  void OnPaint();
  HCURSOR OnQueryDragIcon();
  void OnClose();
  void OnExit();
  void OnAbout();
  // Registers the hot key and says in its label whether the window holds it.
  void ClaimHotKey();
  void OnKeepOnTop();

  // Channel editors.
  void OnChangeRed();
  void OnChangeGreen();
  void OnChangeBlue();
  void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);

  // Pick mode.
  void StartPicking();
  // Restores the window if it is minimised and makes it the foreground window; false when the
  // system refuses (another program's menu is open, the foreground is locked).
  virtual bool BecomeForegroundWindow();
  // The monitors, which pick mode freezes and covers.
  virtual std::vector<RECT> Monitors() const;
  bool MakeSnapshotBitmap();
  void TakeSnapshot();
  void StopPicking();
  void ShowPanelControls(BOOL show);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnRButtonUp(UINT nFlags, CPoint point);
  void OnCaptureChanged(CWnd* pWnd);
  LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
  LRESULT OnCancelMode(WPARAM wParam, LPARAM lParam);
  LRESULT OnHotKey(WPARAM wParam, LPARAM lParam);
  LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam);

  // Clipboard and colour dialog.
  void OnCopyHex();
  void OnCopyHtml();
  void OnCopyRgb();
  void CopyTextToClipboard(CString text);
  void OnSelectColor();
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonDblClk(UINT nFlags, CPoint point);

  HICON m_appIcon;
  // The window's icons made at its DPI, once that has changed since the window opened.
  CIcon m_bigIcon;
  CIcon m_smallIcon;
  CPickHotKey m_hotKey;
  CBitmap m_snapshot;
  PickGeometry m_pickGeometry;
  COLORREF m_color = 0;
  CRect m_savedRect;
  int m_picking = 0;
  // Whether the last left button press on the window came in pick mode.
  bool m_pressedWhilePicking = false;
  CEdit m_editRed;
  CEdit m_editGreen;
  CEdit m_editBlue;
  CSpinButtonCtrl m_spinBlue;
  CSpinButtonCtrl m_spinGreen;
  CSpinButtonCtrl m_spinRed;
  CSliderCtrl m_sliderRed;
  CSliderCtrl m_sliderGreen;
  CSliderCtrl m_sliderBlue;
  CLinkLabel m_homeLink;

 private:
  // The panel's design, scaled, as the window's size and its controls' places.
  void LayOutPanel();
  void OnScaleChanged() override;
  void PaintPanel(CPaintDC& dc);
  // The swatch in client coordinates: where it is painted, invalidated and double-clicked.
  CRect SwatchRect() const;
  void PaintSnapshot();
  void SetUpChannelEditors();
  void OnChangeChannel(CEdit& changed);
  bool IsChannelEdit(HWND hWnd) const;
  bool FilterChannelEditInput(MSG* pMsg);
  void CopyTextOf(int textId);
  bool IsKeepOnTopChecked();
  // The topmost band or the normal one, as "Keep on top" asks; the window is not activated.
  void PlaceInKeepOnTopBand();

  DECLARE_MESSAGE_MAP()
};
