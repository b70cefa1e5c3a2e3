// CDialog, CDataExchange and DDX_Control: dialogs built from templates, with their own modal
// loop in which PreTranslateMessage sees every message of the dialog and its controls.
#pragma once

#include <windows.h>

#include <span>

#include "framework/DpiScale.h"
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
  // Lays the dialog out from its design at 96 DPI, scaled: the client area becomes the design's
  // client size (the window keeps its top-left corner and takes whatever its caption and frame
  // need around it) and each control goes to its place.
  void ApplyLayout(const CDpiScale& scale, SIZE designClient,
                   std::span<const CControlPlace> designPlaces);

 private:
  static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept;
  HWND CreateFromTemplate(HWND hWndOwner);
  HWND ModalOwner() const;
  INT_PTR RunModalLoop();

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;
  int m_nResult = -1;
  bool m_ended = false;

  DECLARE_MESSAGE_MAP()
};
