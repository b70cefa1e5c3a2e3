#include "about/AboutDialog.h"

#include "about/AboutDesign.h"
#include "res/links.h"
#include "res/resource.h"

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

  ApplyLayout(AboutDesign::kClientSize, AboutDesign::kControls);
  NameControls(AboutDesign::kAccessibleNames);

  const HCURSOR hand = LoadLinkCursor();
  m_faqLink.SetLink(CHROMIVO_FAQ_PAGE, hand);
  m_homePageLink.SetLink(CHROMIVO_HOME_PAGE, hand);
  m_referLink.SetLink(CHROMIVO_REFER_PAGE, hand);
  m_supportLink.SetLink(CHROMIVO_SUPPORT_MAIL, hand);
  return TRUE;
}

// The OK button is not IDOK, so Enter and Esc keep their usual meaning.
void CAboutDialog::OnOkButton() {
  OnOK();
}
