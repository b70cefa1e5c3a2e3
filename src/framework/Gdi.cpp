#include "framework/Gdi.h"

#include "framework/Wnd.h"

BOOL CGdiObject::Attach(HGDIOBJ object) {
  DeleteObject();
  m_hObject = object;
  return object != nullptr;
}

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) {
    return FALSE;
  }
  const BOOL deleted = ::DeleteObject(m_hObject);
  m_hObject = nullptr;
  return deleted;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int width, int height) {
  return Attach(::CreateCompatibleBitmap(pDC->GetSafeHdc(), width, height));
}

CDC::~CDC() {
  if (!m_owned) {
    return;
  }
  if (m_savedState != 0) {
    ::RestoreDC(m_hDC, m_savedState);
  }
  ::DeleteDC(m_hDC);
}

BOOL CDC::Own(HDC hdc) {
  m_hDC = hdc;
  m_owned = hdc != nullptr;
  m_savedState = m_owned ? ::SaveDC(hdc) : 0;
  return m_owned;
}

BOOL CDC::CreateDC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODEA* initData) {
  return Own(::CreateDCA(driver, device, output, initData));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
  return Own(::CreateCompatibleDC(pDC ? pDC->GetSafeHdc() : nullptr));
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* pSrcDC, int xSrc, int ySrc, DWORD rop) {
  return ::BitBlt(m_hDC, x, y, width, height, pSrcDC->GetSafeHdc(), xSrc, ySrc, rop);
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight) {
  Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, topLeft,
             bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight) {
  FillSolidRect(x, y, cx - 1, 1, topLeft);
  FillSolidRect(x, y, 1, cy - 1, topLeft);
  FillSolidRect(x + cx - 1, y, 1, cy, bottomRight);
  FillSolidRect(x, y + cy - 1, cx, 1, bottomRight);
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
  const COLORREF previous = ::SetBkColor(m_hDC, color);
  ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
  ::SetBkColor(m_hDC, previous);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
  const RECT rect{x, y, x + cx, y + cy};
  FillSolidRect(&rect, color);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) {
  Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC() {
  ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
  Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC() {
  ::ReleaseDC(m_hWnd, m_hDC);
}
