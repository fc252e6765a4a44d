// Helpers for tests that drive real windows in this process.
#pragma once
#include <functional>
#include <string>

#include "framework/afxwin.h"

// Runs dlg.DoModal() and, once the dialog is up, calls pfnAction with its
// window from inside the modal loop, as a person's click would arrive. A
// dialog that is still open 5 seconds later is ended with -2.
INT_PTR RunModal(CDialog& dlg, std::function<void(HWND)> pfnAction);

// Presses a button the way a click does.
void ClickButton(HWND hDialog, int nID);

std::string WindowText(HWND hWnd);
std::string ItemText(HWND hDialog, int nID);

// A fresh, empty folder below the temporary folder, removed with its
// contents when the object goes.
class CScratchDir
{
public:
  CScratchDir();
  ~CScratchDir();
  const std::string& Path() const { return m_strPath; }

private:
  std::string m_strPath;
};

// The path of a payload installer made by make-payloads.sh, as Windows
// sees it.
std::string PayloadPath(const char* pszName);

// Saves what the screen shows of the window as a PNG below
// build/screenshots/setup-ui-windows of the source tree; false on failure.
bool SaveWindowShot(HWND hWnd, const char* pszName);
