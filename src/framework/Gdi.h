// Device contexts and GDI objects. Every object here releases what it created or obtained.
#pragma once

#include <windows.h>

class CWnd;

// Owns one GDI object (font, bitmap) and deletes it when replaced or destroyed.
class CGdiObject {
 public:
  CGdiObject() = default;
  virtual ~CGdiObject() { DeleteObject(); }
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;

  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  // Takes the object, deleting the one held before.
  BOOL Attach(HGDIOBJ object);
  // Gives the object up without deleting it.
  HGDIOBJ Detach() {
    const HGDIOBJ object = m_hObject;
    m_hObject = nullptr;
    return object;
  }
  BOOL DeleteObject();

 protected:
  HGDIOBJ m_hObject = nullptr;
};

class CFont : public CGdiObject {
 public:
  BOOL CreateFontIndirect(const LOGFONTA* logFont) {
    return Attach(::CreateFontIndirectA(logFont));
  }
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};

// Owns an icon made at run time (not a shared resource icon) and destroys it when replaced or
// destroyed.
class CIcon {
 public:
  CIcon() = default;
  ~CIcon() { Attach(nullptr); }
  CIcon(const CIcon&) = delete;
  CIcon& operator=(const CIcon&) = delete;

  void Attach(HICON icon) {
    if (m_icon != nullptr) {
      ::DestroyIcon(m_icon);
    }
    m_icon = icon;
  }
  operator HICON() const { return m_icon; }

 private:
  HICON m_icon = nullptr;
};

class CDC;

class CBitmap : public CGdiObject {
 public:
  BOOL CreateCompatibleBitmap(CDC* pDC, int width, int height);
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};

// A device context. Created with CreateDC or CreateCompatibleDC it is owned and deleted on
// destruction, after the objects selected into it have been put back; attached, it is borrowed.
class CDC {
 public:
  CDC() = default;
  virtual ~CDC();
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  HDC m_hDC = nullptr;

  HDC GetSafeHdc() const { return m_hDC; }
  operator HDC() const { return m_hDC; }
  void Attach(HDC hdc) { m_hDC = hdc; }

  BOOL CreateDC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODEA* initData);
  BOOL CreateCompatibleDC(CDC* pDC);

  HGDIOBJ SelectObject(CGdiObject* pObject) {
    return ::SelectObject(m_hDC, pObject->GetSafeHandle());
  }
  COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
  int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
  COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
  int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }
  BOOL BitBlt(int x, int y, int width, int height, CDC* pSrcDC, int xSrc, int ySrc, DWORD rop);

  // One-pixel frame inside the rectangle: top and left lines in one colour, right and bottom
  // lines (on right - 1 and bottom - 1) in the other.
  void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
  void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
  void FillSolidRect(LPCRECT rect, COLORREF color);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
  // The system's dotted focus rectangle (drawn with XOR: once on a fresh background).
  void DrawFocusRect(LPCRECT rect) { ::DrawFocusRect(m_hDC, rect); }

 private:
  BOOL Own(HDC hdc);

  // Made here (CreateDC, CreateCompatibleDC) and so deleted here; an attached DC is borrowed.
  bool m_owned = false;
  // What SaveDC answered when the DC was made: restoring it puts back what was selected then.
  int m_savedState = 0;
};

// The window's paint DC between BeginPaint and EndPaint.
class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* pWnd);
  ~CPaintDC() override;

  PAINTSTRUCT m_ps{};

 private:
  HWND m_hWnd;
};

// The window's client-area DC between GetDC and ReleaseDC; without a window, the screen's.
class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* pWnd);
  ~CClientDC() override;

 private:
  HWND m_hWnd;
};
