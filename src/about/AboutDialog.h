// CAboutDialog: the version, the notice and four links to the product's pages.
#pragma once

#include "controls/LinkLabel.h"
#include "framework/Framework.h"

class CAboutDialog : public CDialog {
 public:
  CAboutDialog();

  BOOL OnInitDialog() override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOkButton();

  CLinkLabel m_referLink;
  CLinkLabel m_homePageLink;
  CLinkLabel m_supportLink;
  CLinkLabel m_faqLink;

  DECLARE_MESSAGE_MAP()
};
