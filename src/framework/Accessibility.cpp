#include "framework/Accessibility.h"

#include <initguid.h>
// After initguid.h, so that the property and class identifiers are defined here.
#include <oleacc.h>

#include <iterator>
#include <string>

#include "framework/ComApartment.h"

static_assert(kAccessibleRoleLink == ROLE_SYSTEM_LINK);

namespace {

CAccessibility* g_standIn = nullptr;

// The annotation service, made the first time a control is annotated: oleacc, which COM loads
// from the path the system registered for it. COM stays initialised on the window's thread, and
// the service held, until the program ends.
IAccPropServices* PropertyServices() {
  static const CComApartment com;
  struct Holder {
    IAccPropServices* services = nullptr;
    Holder() {
      ::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
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

std::wstring Wide(LPCSTR text) {
  const int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  std::wstring wide(length > 0 ? static_cast<size_t>(length) : 1, L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), static_cast<int>(wide.size()));
  wide.resize(wide.size() - 1);
  return wide;
}

}  // namespace

void CAccessibility::Annotate(HWND control, const CAccessibleName& name) {
  IAccPropServices* services = PropertyServices();
  if (services == nullptr) {
    return;
  }
  if (name.name != nullptr) {
    services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                             PROPID_ACC_NAME, Wide(name.name).c_str());
  }
  if (name.role != 0) {
    VARIANT role{};
    role.vt = VT_I4;
    role.lVal = name.role;
    services->SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_ROLE,
                          role);
  }
}

void CAccessibility::ClearAnnotation(HWND control) {
  IAccPropServices* services = PropertyServices();
  if (services == nullptr) {
    return;
  }
  const MSAAPROPID annotated[] = {PROPID_ACC_NAME, PROPID_ACC_ROLE};
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
