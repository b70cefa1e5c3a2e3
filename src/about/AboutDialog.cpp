#include "about/AboutDialog.h"

#include "res/links.h"
#include "res/resource.h"

namespace {

// The box's design, in pixels of a 96-DPI screen; shown scaled to the screen's DPI.
constexpr SIZE kClientSize{288, 227};

// x, y, width and height of each control in the client area: the icon and three lines of text
// at the top, the four links in two rows inside the lower part of the frame, OK below it.
constexpr CControlPlace kLayout[] = {
    {IDC_ABOUT_ICON, 6, 10, 32, 32},           {IDC_ABOUT_VERSION, 47, 7, 219, 13},
    {IDC_ABOUT_NOTICE_FIRST, 47, 23, 219, 13}, {IDC_ABOUT_NOTICE_SECOND, 47, 39, 219, 13},
    {IDC_ABOUT_FRAME, 6, 57, 276, 143},        {IDC_ABOUT_OK, 235, 205, 48, 20},
    {IDC_ABOUT_FAQ_LINK, 15, 179, 135, 13},    {IDC_ABOUT_HOMEPAGE_LINK, 15, 151, 135, 13},
    {IDC_ABOUT_REFER_LINK, 152, 151, 135, 13}, {IDC_ABOUT_SUPPORT_LINK, 152, 179, 135, 13},
};

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

// The box keeps the top-left corner the system gave it and takes its own layout.
BOOL CAboutDialog::OnInitDialog() {
  CDialog::OnInitDialog();

  ApplyLayout(CDpiScale::ForSystem(), kClientSize, kLayout);

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
