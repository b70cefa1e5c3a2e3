// The floor of what Chromivo's design costs: its window's own template, the 29 controls and all,
// made by a bare DialogBoxParam in a program with Chromivo's resources and manifest, and nothing
// of the program's own work. Chromivo's start-up over this is what the program adds.
#include "FloorDialog.h"
// After windows.h, which it needs.
#include <commctrl.h>

#include "res/resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The template's up-down controls and sliders, as Chromivo registers them.
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&classes);
  return static_cast<int>(::DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_CHROMIVO_DIALOG),
                                            nullptr, FloorDialogProc, 0));
}
