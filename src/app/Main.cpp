// The one application object, constructed before the process entry runs.
#include "app/PickerApp.h"

CPickerApp theApp;
