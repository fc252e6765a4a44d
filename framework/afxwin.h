// The framework in one include: the portable classes and the window layer.
#pragma once
#include "framework/afx.h"
#include "framework/window/WinApp.h"
#include "framework/window/Wnd.h"
#include "framework/window/Dialog.h"
#include "framework/window/DataExchange.h"
#include "framework/window/Controls.h"
#include "framework/window/Gdi.h"
