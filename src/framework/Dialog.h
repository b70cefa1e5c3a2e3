// CDialog, CDataExchange and DDX_Control: dialogs built from templates, with their own modal
// loop in which PreTranslateMessage sees every message of the dialog and its controls.
#pragma once

#include <windows.h>

#include <optional>
#include <span>

#include "framework/Accessibility.h"
#include "framework/DpiScale.h"
#include "framework/Gdi.h"
#include "framework/Wnd.h"

class CDataExchange {
 public:
  explicit CDataExchange(CWnd* pDlgWnd) : m_pDlgWnd(pDlgWnd) {}

  CWnd* m_pDlgWnd;
};

// Binds a control object to the dialog's control with this id (once; later exchanges keep it).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  ~CDialog() override;

  // Shows the dialog (whether or not its template is visible), runs it until EndDialog and
  // returns its result (-1 if it could not be created or the thread was asked to quit).
  virtual INT_PTR DoModal();
  // Creates the dialog modeless; the caller pumps its messages.
  BOOL Create(CWnd* pParentWnd = nullptr);
  void EndDialog(int nResult);

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  BOOL UpdateData();

  BOOL PreTranslateMessage(MSG* pMsg) override;

  // The result given to EndDialog, and whether it has been called since the dialog was created.
  int GetResult() const { return m_nResult; }
  bool HasEnded() const { return m_ended; }

 protected:
  virtual void DoDataExchange(CDataExchange*) {}
  // Lays the dialog out from its design at 96 DPI, scaled to the window's DPI: the client area
  // becomes the design's client size (the window keeps its top-left corner and takes whatever its
  // caption and frame need around it) and each control goes to its place. The dialog lays itself
  // out again whenever its DPI or its frame changes; the design must outlive the window.
  void ApplyLayout(SIZE designClient, std::span<const CControlPlace> designPlaces);
  // The window's scale: its DPI when it opened, then the DPI of each change since.
  const CDpiScale& Scale() const { return m_scale; }
  // While the layout is held (the window has another shape for a while), DPI and frame changes
  // are only remembered; letting it go lays the window out for the last of them, where it
  // stands then.
  void HoldLayout() { m_layoutHeld = true; }
  void ReleaseLayout();
  // The dialog has been laid out anew at another DPI.
  virtual void OnScaleChanged() {}
  // Gives the controls their names and roles for screen readers, from the dialog's design beside
  // its layout, and takes them back when the window goes; the names must outlive the window.
  void NameControls(std::span<const CAccessibleName> names);

 private:
  static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept;
  HWND CreateFromTemplate(HWND hWndOwner);
  HWND ModalOwner() const;
  INT_PTR RunModalLoop();

  // Per-monitor DPI (Windows 10 1703 and later) and frame changes while running.
  LRESULT OnGetDpiScaledSize(WPARAM wParam, LPARAM lParam);
  LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
  LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);
  LRESULT OnFrameChanged(WPARAM wParam, LPARAM lParam);
  // The system's colours or its contrast theme changed: everything is painted again.
  LRESULT OnSysColorChange(WPARAM wParam, LPARAM lParam);
  void RepaintEverything();
  LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
  void TakeOverDpiChanges();
  void NoteTemplateFont();
  void ScaleTo(int dpi);
  void GiveControlsTheFontAt(int dpi);
  void FitFrameToLayout();
  void LayOut();

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;
  int m_nResult = -1;
  bool m_ended = false;
  CDpiScale m_scale;
  SIZE m_designClient{};
  std::span<const CControlPlace> m_designPlaces;
  // The template's font, which the dialog manager made and deletes; its size in points.
  LOGFONTA m_templateFont{};
  int m_templateFontPoints = 0;
  // The template's font remade at the window's DPI after a change, given to every control.
  CFont m_scaledFont;
  bool m_layoutHeld = false;
  std::optional<int> m_heldDpi;
  bool m_heldFrameChange = false;
  std::span<const CAccessibleName> m_accessibleNames;

  DECLARE_MESSAGE_MAP()
};
