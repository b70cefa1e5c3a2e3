#include "about/AboutDialog.h"

#include "res/links.h"
#include "res/resource.h"

namespace {

constexpr int kBoxWidth = 294;
constexpr int kBoxHeight = 252;

}  // namespace

BEGIN_MESSAGE_MAP(CAboutDialog, CDialog)
  ON_BN_CLICKED(IDC_ABOUT_OK, OnOkButton)
END_MESSAGE_MAP()

CAboutDialog::CAboutDialog() : CDialog(IDD_ABOUTBOX) {}

void CAboutDialog::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_ABOUT_SUPPORT_LINK, m_supportLink);
  DDX_Control(pDX, IDC_ABOUT_REFER_LINK, m_referLink);
  DDX_Control(pDX, IDC_ABOUT_HOMEPAGE_LINK, m_homePageLink);
  DDX_Control(pDX, IDC_ABOUT_FAQ_LINK, m_faqLink);
}

// The box keeps the top-left corner the system gave it and takes a fixed pixel layout.
BOOL CAboutDialog::OnInitDialog() {
  CDialog::OnInitDialog();

  CRect box;
  GetWindowRect(box);
  MoveWindow(box.left, box.top, kBoxWidth, kBoxHeight, TRUE);

  GetDlgItem(IDC_ABOUT_ICON)->MoveWindow(6, 10, 32, 32, TRUE);
  GetDlgItem(IDC_ABOUT_VERSION)->MoveWindow(47, 7, 219, 13, TRUE);
  GetDlgItem(IDC_ABOUT_NOTICE_FIRST)->MoveWindow(47, 23, 219, 13, TRUE);
  GetDlgItem(IDC_ABOUT_NOTICE_SECOND)->MoveWindow(47, 39, 219, 13, TRUE);
  GetDlgItem(IDC_ABOUT_FRAME)->MoveWindow(6, 57, 276, 143, TRUE);
  GetDlgItem(IDC_ABOUT_OK)->MoveWindow(235, 205, 48, 20, TRUE);
  m_faqLink.MoveWindow(15, 179, 135, 13, TRUE);
  m_homePageLink.MoveWindow(15, 151, 135, 13, TRUE);
  m_referLink.MoveWindow(152, 151, 135, 13, TRUE);
  m_supportLink.MoveWindow(152, 179, 135, 13, TRUE);

  m_faqLink.SetLink(CHROMIVO_FAQ_PAGE, AfxGetApp()->LoadCursor(IDC_HAND_CURSOR));
  m_homePageLink.SetLink(CHROMIVO_HOME_PAGE, AfxGetApp()->LoadCursor(IDC_HAND_CURSOR));
  m_referLink.SetLink(CHROMIVO_REFER_PAGE, AfxGetApp()->LoadCursor(IDC_HAND_CURSOR));
  m_supportLink.SetLink(CHROMIVO_SUPPORT_MAIL, AfxGetApp()->LoadCursor(IDC_HAND_CURSOR));
  return TRUE;
}

// The OK button is not IDOK, so Enter and Esc keep their usual meaning.
void CAboutDialog::OnOkButton() {
  OnOK();
}
