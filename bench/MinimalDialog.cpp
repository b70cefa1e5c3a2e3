// The floor for start-up and footprint: the smallest Win32 dialog program, started and measured
// the same way as Chromivo.
#include "FloorDialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  constexpr int kDialogId = 100;
  return static_cast<int>(
      ::DialogBoxParamA(instance, MAKEINTRESOURCEA(kDialogId), nullptr, FloorDialogProc, 0));
}
