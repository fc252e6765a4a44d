#include "tests/setup-ui/UiTestSupport.h"

namespace {
CDialog* s_pModal = NULL;
std::function<void(HWND)> s_pfnAction;
int s_nTicks = 0;

void CALLBACK ModalTimer(HWND, UINT, UINT_PTR, DWORD)
{
  HWND hDialog = s_pModal != NULL ? s_pModal->m_hWnd : NULL;
  if (hDialog == NULL || !::IsWindowVisible(hDialog))
    return;
  if (s_pfnAction)
  {
    std::function<void(HWND)> pfnAction = std::move(s_pfnAction);
    s_pfnAction = nullptr;
    pfnAction(hDialog);
  }
  else if (++s_nTicks > 500)
  {
    ::EndDialog(hDialog, -2);
  }
}

void RemoveTree(const std::string& strPath)
{
  WIN32_FIND_DATAA data;
  HANDLE hFind = ::FindFirstFileA((strPath + "\\*").c_str(), &data);
  if (hFind != INVALID_HANDLE_VALUE)
  {
    do
    {
      std::string strName = data.cFileName;
      if (strName == "." || strName == "..")
        continue;
      std::string strChild = strPath + "\\" + strName;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(strChild);
      else
      {
        ::SetFileAttributesA(strChild.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(strChild.c_str());
      }
    } while (::FindNextFileA(hFind, &data));
    ::FindClose(hFind);
  }
  ::RemoveDirectoryA(strPath.c_str());
}
}  // namespace

INT_PTR RunModal(CDialog& dlg, std::function<void(HWND)> pfnAction)
{
  s_pModal = &dlg;
  s_pfnAction = std::move(pfnAction);
  s_nTicks = 0;
  UINT_PTR nTimer = ::SetTimer(NULL, 0, 10, ModalTimer);
  INT_PTR nResult = dlg.DoModal();
  ::KillTimer(NULL, nTimer);
  s_pModal = NULL;
  s_pfnAction = nullptr;
  return nResult;
}

void ClickButton(HWND hDialog, int nID) { ::SendMessageA(::GetDlgItem(hDialog, nID), BM_CLICK, 0, 0); }

std::string WindowText(HWND hWnd)
{
  char szText[1024] = "";
  ::GetWindowTextA(hWnd, szText, sizeof(szText));
  return szText;
}

std::string ItemText(HWND hDialog, int nID) { return WindowText(::GetDlgItem(hDialog, nID)); }

CScratchDir::CScratchDir()
{
  char szTemp[MAX_PATH];
  ::GetTempPathA(sizeof(szTemp), szTemp);
  static int s_nCount = 0;
  m_strPath = std::string(szTemp) + "setup-ui-" + std::to_string(::GetCurrentProcessId()) + "-" +
              std::to_string(++s_nCount);
  RemoveTree(m_strPath);
  ::CreateDirectoryA(m_strPath.c_str(), NULL);
}

CScratchDir::~CScratchDir() { RemoveTree(m_strPath); }

std::string PayloadPath(const char* pszName)
{
  std::string strPath = std::string("Z:") + SETUP_UI_PAYLOADS + "/" + pszName;
  for (char& ch : strPath)
    if (ch == '/')
      ch = '\\';
  return strPath;
}
