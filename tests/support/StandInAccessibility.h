// Stands in for the system's accessibility services while it lives: records the name and role
// each control is given for screen readers (Wine 8 answers annotation with E_NOTIMPL), and
// reports a contrast theme when told to (Wine 8 never reports one).
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "framework/Accessibility.h"

class StandInAccessibility : public CAccessibility {
 public:
  struct Given {
    std::string name;  // empty: the proxy's own
    LONG role = 0;     // 0: the proxy's own
  };

  StandInAccessibility() { AfxSetAccessibility(this); }
  ~StandInAccessibility() override { AfxSetAccessibility(nullptr); }

  void Annotate(HWND control, const CAccessibleName& name) override {
    given[control] = Given{name.name != nullptr ? name.name : "", name.role};
  }
  void ClearAnnotation(HWND control) override { given.erase(control); }
  bool IsContrastThemeOn() const override { return contrastTheme; }

  // What each control holds now: given, and not yet taken back.
  std::map<HWND, Given> given;
  bool contrastTheme = false;
};
