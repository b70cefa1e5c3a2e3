// What the program tells assistive technology, and what it asks of the system for the people who
// use it: the names and roles of standard controls for screen readers, and whether a contrast
// theme is on. One object serves the process. Another can stand in its place: Wine 8 answers
// annotation with E_NOTIMPL and never reports a contrast theme, so the tests put in one that
// records and answers as they say.
#pragma once

#include <windows.h>

// A control's name for screen readers, where the system's proxy would find none or a wrong one,
// and its role where its class says something else (a static text that is a link). A null name
// keeps the proxy's, a role of 0 the proxy's role.
struct CAccessibleName {
  int id;
  LPCSTR name;
  LONG role;
};

// ROLE_SYSTEM_LINK of oleacc.h, which only the annotating code needs whole.
inline constexpr LONG kAccessibleRoleLink = 0x1E;

class CAccessibility {
 public:
  CAccessibility() = default;
  virtual ~CAccessibility() = default;
  CAccessibility(const CAccessibility&) = delete;
  CAccessibility& operator=(const CAccessibility&) = delete;

  // Dynamic Annotation ("Using Direct Annotation"): the system's proxy for the control keeps all
  // it knows (an edit's value, a slider's range) and answers with this name and role. Nothing is
  // reported when the system cannot.
  virtual void Annotate(HWND control, const CAccessibleName& name);
  // Takes the annotation back; called before the control goes.
  virtual void ClearAnnotation(HWND control);
  // SPI_GETHIGHCONTRAST's HCF_HIGHCONTRASTON, asked anew each time: the user may switch.
  virtual bool IsContrastThemeOn() const;
};

CAccessibility& AfxGetAccessibility();
// Puts another object in the process's place; null puts the system's back.
void AfxSetAccessibility(CAccessibility* accessibility);
