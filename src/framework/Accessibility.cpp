#include "framework/Accessibility.h"

#include <oleacc.h>

#include <iterator>

#include "framework/ComApartment.h"

static_assert(kAccessibleRoleLink == ROLE_SYSTEM_LINK);

namespace {

CAccessibility* g_standIn = nullptr;

// The four identifiers of oleacc.h this file uses, as oleacc.h gives them (defining them through
// initguid.h would put all of its identifiers into the program).
constexpr GUID kAccPropServices = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID kIAccPropServices = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kPropertyName = {
    0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};
constexpr GUID kPropertyRole = {
    0xcb905ff2, 0x7bd1, 0x4c05, {0xb3, 0xc8, 0xe6, 0xc2, 0x41, 0x36, 0x4d, 0x70}};
// A name for a screen reader: a word or three.
constexpr int kNameLength = 64;

// The annotation service, made the first time a control is annotated: oleacc, which COM loads
// from the path the system registered for it. COM stays initialised on the window's thread, and
// the service held, until the program ends.
IAccPropServices* PropertyServices() {
  static const CComApartment com;
  struct Holder {
    IAccPropServices* services = nullptr;
    Holder() {
      ::CoCreateInstance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER, kIAccPropServices,
                         reinterpret_cast<void**>(&services));
    }
    ~Holder() {
      if (services != nullptr) {
        services->Release();
      }
    }
    Holder(const Holder&) = delete;
    Holder& operator=(const Holder&) = delete;
  };
  static const Holder holder;
  return holder.services;
}

}  // namespace

void CAccessibility::Annotate(HWND control, const CAccessibleName& name) {
  IAccPropServices* services = PropertyServices();
  if (services == nullptr) {
    return;
  }
  wchar_t wideName[kNameLength] = {};
  if (name.name != nullptr &&
      ::MultiByteToWideChar(CP_ACP, 0, name.name, -1, wideName, kNameLength) > 0) {
    services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, kPropertyName,
                             wideName);
  }
  if (name.role != 0) {
    VARIANT role{};
    role.vt = VT_I4;
    role.lVal = name.role;
    services->SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, kPropertyRole,
                          role);
  }
}

void CAccessibility::ClearAnnotation(HWND control) {
  IAccPropServices* services = PropertyServices();
  if (services == nullptr) {
    return;
  }
  const MSAAPROPID annotated[] = {kPropertyName, kPropertyRole};
  services->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, annotated,
                           static_cast<int>(std::size(annotated)));
}

bool CAccessibility::IsContrastThemeOn() const {
  HIGHCONTRASTA contrast{};
  contrast.cbSize = sizeof(contrast);
  return ::SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

CAccessibility& AfxGetAccessibility() {
  static CAccessibility system;
  return g_standIn != nullptr ? *g_standIn : system;
}

void AfxSetAccessibility(CAccessibility* accessibility) {
  g_standIn = accessibility;
}
