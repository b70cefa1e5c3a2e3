// The message-map entry macros and the thunks behind them. Each thunk is instantiated for one
// handler, checks the handler's type against its message at compile time and unpacks the
// message parameters into the handler's arguments.
#pragma once

#include <concepts>

#include "framework/Gdi.h"
#include "framework/Wnd.h"

namespace afx {

template <class MemberFunction>
struct Member;

template <class C, class R, class... Args>
struct Member<R (C::*)(Args...)> {
  using Class = C;
  using Signature = R(Args...);
};

// H is a member function of T (or of a base of T) with exactly the signature Sig.
template <class T, auto H, class Sig>
concept HandlerOf = requires {
  typename Member<decltype(H)>::Class;
}
&&std::same_as<typename Member<decltype(H)>::Signature, Sig>&&
    std::derived_from<T, typename Member<decltype(H)>::Class>;

template <class T>
T* Target(CCmdTarget* target) {
  return static_cast<T*>(target);
}

template <class T, auto H>
requires HandlerOf<T, H, void()> LRESULT Void(CCmdTarget* target, WPARAM, LPARAM) {
  (Target<T>(target)->*H)();
  return 0;
}

template <class T, auto H>
requires HandlerOf<T, H, LRESULT(WPARAM, LPARAM)> LRESULT Message(CCmdTarget* target, WPARAM wParam,
                                                                  LPARAM lParam) {
  return (Target<T>(target)->*H)(wParam, lParam);
}

template <class T, auto H>
requires HandlerOf<T, H, void(UINT, LPARAM)> LRESULT SysCommand(CCmdTarget* target, WPARAM wParam,
                                                                LPARAM lParam) {
  (Target<T>(target)->*H)(static_cast<UINT>(wParam), lParam);
  return 0;
}

template <class T, auto H>
requires HandlerOf<T, H, HCURSOR()> LRESULT QueryDragIcon(CCmdTarget* target, WPARAM, LPARAM) {
  return reinterpret_cast<LRESULT>((Target<T>(target)->*H)());
}

// Mouse positions are signed: a captured mouse left of or above the window reports negatives.
inline CPoint PointFromLParam(LPARAM lParam) {
  return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

template <class T, auto H>
requires HandlerOf<T, H, void(UINT, CPoint)> LRESULT Mouse(CCmdTarget* target, WPARAM wParam,
                                                           LPARAM lParam) {
  (Target<T>(target)->*H)(static_cast<UINT>(wParam), PointFromLParam(lParam));
  return 0;
}

template <class T, auto H>
requires HandlerOf<T, H, void(UINT, UINT, CWnd*)> LRESULT Scroll(CCmdTarget* target, WPARAM wParam,
                                                                 LPARAM lParam) {
  (Target<T>(target)->*H)(LOWORD(wParam), HIWORD(wParam),
                          CWnd::FromHandle(reinterpret_cast<HWND>(lParam)));
  return 0;
}

// The hit-test code is signed (HTERROR is -2, HTTRANSPARENT -1): sign-extended, it compares
// equal to those constants in the handler.
template <class T, auto H>
requires HandlerOf<T, H, BOOL(CWnd*, UINT, UINT)> LRESULT SetCursor(CCmdTarget* target,
                                                                    WPARAM wParam, LPARAM lParam) {
  const auto hitTest = static_cast<UINT>(static_cast<short>(LOWORD(lParam)));
  return (Target<T>(target)->*H)(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), hitTest,
                                 HIWORD(lParam));
}

// WM_CAPTURECHANGED: lParam is the window that takes the capture, null when nobody does.
template <class T, auto H>
requires HandlerOf<T, H, void(CWnd*)> LRESULT CaptureChanged(CCmdTarget* target, WPARAM,
                                                             LPARAM lParam) {
  (Target<T>(target)->*H)(CWnd::FromHandle(reinterpret_cast<HWND>(lParam)));
  return 0;
}

// Reflected WM_CTLCOLOR...: wParam is the control's DC, lParam the CTLCOLOR_... kind.
template <class T, auto H>
requires HandlerOf<T, H, HBRUSH(CDC*, UINT)> LRESULT CtlColor(CCmdTarget* target, WPARAM wParam,
                                                              LPARAM lParam) {
  CDC dc;
  dc.Attach(reinterpret_cast<HDC>(wParam));
  return reinterpret_cast<LRESULT>((Target<T>(target)->*H)(&dc, static_cast<UINT>(lParam)));
}

}  // namespace afx

#define AFX_ENTRY(message, code, id, kind, handler) \
  {(message), (code), (id), &afx::kind<ThisClass, &ThisClass::handler>},

#define ON_MESSAGE(message, handler) AFX_ENTRY(message, 0, 0, Message, handler)
#define ON_COMMAND(id, handler) AFX_ENTRY(WM_COMMAND, 0, id, Void, handler)
#define ON_CONTROL(code, id, handler) AFX_ENTRY(WM_COMMAND, code, id, Void, handler)
#define ON_BN_CLICKED(id, handler) ON_CONTROL(BN_CLICKED, id, handler)
#define ON_EN_CHANGE(id, handler) ON_CONTROL(EN_CHANGE, id, handler)
#define ON_CONTROL_REFLECT(code, handler) \
  AFX_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, Void, handler)
#define ON_WM_CTLCOLOR_REFLECT() AFX_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, CtlColor, CtlColor)

#define ON_WM_PAINT() AFX_ENTRY(WM_PAINT, 0, 0, Void, OnPaint)
#define ON_WM_CLOSE() AFX_ENTRY(WM_CLOSE, 0, 0, Void, OnClose)
#define ON_WM_SYSCOMMAND() AFX_ENTRY(WM_SYSCOMMAND, 0, 0, SysCommand, OnSysCommand)
#define ON_WM_QUERYDRAGICON() AFX_ENTRY(WM_QUERYDRAGICON, 0, 0, QueryDragIcon, OnQueryDragIcon)
#define ON_WM_LBUTTONDOWN() AFX_ENTRY(WM_LBUTTONDOWN, 0, 0, Mouse, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_ENTRY(WM_LBUTTONUP, 0, 0, Mouse, OnLButtonUp)
#define ON_WM_RBUTTONUP() AFX_ENTRY(WM_RBUTTONUP, 0, 0, Mouse, OnRButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_ENTRY(WM_LBUTTONDBLCLK, 0, 0, Mouse, OnLButtonDblClk)
#define ON_WM_MOUSEMOVE() AFX_ENTRY(WM_MOUSEMOVE, 0, 0, Mouse, OnMouseMove)
#define ON_WM_HSCROLL() AFX_ENTRY(WM_HSCROLL, 0, 0, Scroll, OnHScroll)
#define ON_WM_CAPTURECHANGED() AFX_ENTRY(WM_CAPTURECHANGED, 0, 0, CaptureChanged, OnCaptureChanged)
#define ON_WM_SETCURSOR() AFX_ENTRY(WM_SETCURSOR, 0, 0, SetCursor, OnSetCursor)
