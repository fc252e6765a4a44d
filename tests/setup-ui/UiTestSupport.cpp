#include "tests/setup-ui/UiTestSupport.h"

#include <shlobj.h>
#include <stdio.h>
#include <stdlib.h>
#include <zlib.h>

#include <vector>

namespace {
CDialog* s_pModal = NULL;
std::function<void(HWND)> s_pfnAction;
int s_nTicks = 0;

void CALLBACK ModalTimer(HWND, UINT, UINT_PTR, DWORD)
{
  HWND hDialog = s_pModal != NULL ? s_pModal->m_hWnd : NULL;
  if (hDialog == NULL || !::IsWindowVisible(hDialog))
    return;
  if (s_pfnAction) {
    std::function<void(HWND)> pfnAction = std::move(s_pfnAction);
    s_pfnAction = nullptr;
    pfnAction(hDialog);
  } else if (++s_nTicks > 500) {
    ::EndDialog(hDialog, -2);
  }
}

void RemoveTree(const std::string& strPath)
{
  WIN32_FIND_DATAA data;
  HANDLE hFind = ::FindFirstFileA((strPath + "\\*").c_str(), &data);
  if (hFind != INVALID_HANDLE_VALUE) {
    do {
      std::string strName = data.cFileName;
      if (strName == "." || strName == "..")
        continue;
      std::string strChild = strPath + "\\" + strName;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(strChild);
      else {
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
  m_strPath =
      std::string(szTemp) + "setup-ui-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++s_nCount);
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

namespace {
void PutBigEndian(std::string& out, uint32_t n)
{
  for (int nShift = 24; nShift >= 0; nShift -= 8)
    out += static_cast<char>((n >> nShift) & 0xFF);
}

void PutChunk(std::string& out, const char* pszType, const std::string& strData)
{
  PutBigEndian(out, static_cast<uint32_t>(strData.size()));
  std::string strBody = std::string(pszType, 4) + strData;
  out += strBody;
  PutBigEndian(out, crc32(0, reinterpret_cast<const Bytef*>(strBody.data()), static_cast<uInt>(strBody.size())));
}
}  // namespace

bool SaveWindowShot(HWND hWnd, const char* pszName)
{
  RECT rc;
  if (!::GetWindowRect(hWnd, &rc))
    return false;
  ::RedrawWindow(hWnd, NULL, NULL, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const int nWidth = rc.right - rc.left, nHeight = rc.bottom - rc.top;
  HDC hScreen = ::GetDC(NULL);
  HDC hMem = ::CreateCompatibleDC(hScreen);
  HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, nWidth, nHeight);
  HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
  ::BitBlt(hMem, 0, 0, nWidth, nHeight, hScreen, rc.left, rc.top, SRCCOPY);
  ::SelectObject(hMem, hOld);
  std::vector<DWORD> pixels(static_cast<size_t>(nWidth) * nHeight);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), nWidth, -nHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  int nRows = ::GetDIBits(hMem, hBitmap, 0, nHeight, pixels.data(), &info, DIB_RGB_COLORS);
  ::DeleteObject(hBitmap);
  ::DeleteDC(hMem);
  ::ReleaseDC(NULL, hScreen);
  if (nRows != nHeight)
    return false;

  // PNG: 8-bit RGB rows, each behind a filter byte 0, deflated by zlib.
  std::string strRaw;
  for (int y = 0; y < nHeight; ++y) {
    strRaw += '\0';
    for (int x = 0; x < nWidth; ++x) {
      DWORD n = pixels[static_cast<size_t>(y) * nWidth + x];
      strRaw += static_cast<char>((n >> 16) & 0xFF);
      strRaw += static_cast<char>((n >> 8) & 0xFF);
      strRaw += static_cast<char>(n & 0xFF);
    }
  }
  uLongf nPacked = compressBound(static_cast<uLong>(strRaw.size()));
  std::string strPacked(nPacked, '\0');
  if (compress(reinterpret_cast<Bytef*>(&strPacked[0]), &nPacked, reinterpret_cast<const Bytef*>(strRaw.data()),
               static_cast<uLong>(strRaw.size())) != Z_OK)
    return false;
  strPacked.resize(nPacked);
  std::string strHeader;
  PutBigEndian(strHeader, static_cast<uint32_t>(nWidth));
  PutBigEndian(strHeader, static_cast<uint32_t>(nHeight));
  strHeader += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no interlace
  std::string strPng("\x89PNG\r\n\x1a\n", 8);
  PutChunk(strPng, "IHDR", strHeader);
  PutChunk(strPng, "IDAT", strPacked);
  PutChunk(strPng, "IEND", "");

  const char* pszSource = getenv("INSTALLER_SOURCE");
  if (pszSource == NULL)
    return false;
  std::string strDir = std::string("Z:") + pszSource + "/build/screenshots/setup-ui-windows";
  for (char& ch : strDir)
    if (ch == '/')
      ch = '\\';
  ::SHCreateDirectoryExA(NULL, strDir.c_str(), NULL);
  FILE* pFile = fopen((strDir + "\\" + pszName + ".png").c_str(), "wb");
  if (pFile == NULL)
    return false;
  bool bWritten = fwrite(strPng.data(), 1, strPng.size(), pFile) == strPng.size();
  return fclose(pFile) == 0 && bWritten;
}
