// The process entry of a framework program. Kept apart so that test programs, which bring their
// own main, do not pull it in.
#include "framework/WinApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return AfxWinMain();
}
