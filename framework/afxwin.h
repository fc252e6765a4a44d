// The framework in one include: the portable classes and the window layer.
//
// Failure convention of the window layer: as Win32 and MFC, BOOL results
// are TRUE on success; DoModal returns the id that ended the dialog, or -1
// when its template cannot be loaded. Nothing throws.
#pragma once
#include "framework/afx.h"
#include "framework/window/WinApp.h"
#include "framework/window/Wnd.h"
#include "framework/window/Dialog.h"
#include "framework/window/DataExchange.h"
#include "framework/window/Controls.h"
#include "framework/window/Gdi.h"
