// The colour swatch: not a control, but a rectangle of the panel that the window paints, that
// every change of colour invalidates, and whose double click opens the colour dialog.
#include "picker/PanelDesign.h"
#include "picker/PickerDialog.h"

CRect CPickerDialog::SwatchRect() const {
  CRect client;
  GetClientRect(client);
  return PanelDesign::SwatchRect(client, Scale());
}

void CPickerDialog::OnLButtonDown(UINT, CPoint) {
  m_pressedWhilePicking = m_picking != 0;
  Default();
}

// No double click opens the dialog in pick mode. The first click of a double click made there
// picks and ends pick mode on its release, and the system then delivers the second press as a
// double click to the window come back, where the swatch may now be: that press still belongs
// to the pick.
void CPickerDialog::OnLButtonDblClk(UINT, CPoint point) {
  if (!m_picking && !m_pressedWhilePicking) {
    if (SwatchRect().PtInRect(point)) {
      OnSelectColor();
    }
  }
  Default();
}
