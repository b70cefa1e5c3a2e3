// The class library Chromivo is written against: the classic application, window, dialog,
// control, string and GDI classes, under their classic names.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/ComApartment.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/DpiScale.h"
#include "framework/Gdi.h"
#include "framework/Geometry.h"
#include "framework/Handle.h"
#include "framework/MessageHandlers.h"
#include "framework/String.h"
#include "framework/WinApp.h"
#include "framework/WindowPosBatch.h"
#include "framework/Wnd.h"
