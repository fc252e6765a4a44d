// The extraction: every archive entry extracted below the destination
// while the progress dialog names it and advances by its size. An entry
// that fails is never passed over: the person sees why and can try again
// or stop.
#include "setup/SetupApp.h"

#include "common/InstallNames.h"
#include "setup/SetupTexts.h"
#include "setup/dialogs/ProgressDlg.h"
#include "zip/ZipPath.h"

namespace {

// Nothing runs a message loop during the extraction; answer what other
// programs send and repaint, so the window is neither blank nor "not
// responding". The person's input stays queued.
void PumpPaintMessages()
{
  MSG msg;
  while (::PeekMessageA(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE))
    ::DispatchMessageA(&msg);
}

// An earlier installation may have left the file read-only; it is replaced
// anyway, and the archive's attributes are set again afterwards. Only
// asked after the file has been refused: most entries are new files, and
// under wine every look at a file is a round trip. TRUE when the file was
// read-only and now is not.
bool MakeTargetWritable(const char* lpszDestDir, const char* lpszName)
{
  if (!IsInsideInstallation(lpszName))
    return false;
  CString strDir(lpszDestDir);
  while (!strDir.IsEmpty() && strDir[strDir.GetLength() - 1] == '\\')
    strDir = strDir.Left(strDir.GetLength() - 1);
  CString strPath = strDir + "\\" + GetPathWithoutDrive(lpszName);
  DWORD nAttributes = ::GetFileAttributesA(strPath);
  return nAttributes != INVALID_FILE_ATTRIBUTES && !(nAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
         (nAttributes & FILE_ATTRIBUTE_READONLY) &&
         ::SetFileAttributesA(strPath, nAttributes & ~(DWORD)FILE_ATTRIBUTE_READONLY);
}

}  // namespace

bool CSetupApp::ExtractEntry(int32_t nIndex, const char* lpszDestDir, CString& strCause)
{
  bool bMayBeReadOnly = true;
  for (;;) {
    bool bDenied = false;
    try {
      if (m_archive.ExtractFile(static_cast<uint16_t>(nIndex), lpszDestDir, true, NULL, NULL, NULL, 65535))
        return true;
      strCause = DescribeFalseResult(m_strLanguage);
    } catch (CZipException* e) {
      strCause = DescribeZipCause(e->m_nCause, m_strLanguage);
      e->Delete();
    } catch (CFileException* e) {
      bDenied = e->m_cause == CFileException::accessDenied;
      strCause = DescribeFileCause(e->m_cause, e->m_lOsError, m_strLanguage);
      e->Delete();
    } catch (CException* e) {
      strCause = DescribeZipCause(CZipException::unknownCause, m_strLanguage);
      e->Delete();
    }
    // A failure can leave the entry open, which would refuse every later one.
    m_archive.CloseEntry(NULL, true);
    if (!bDenied || !bMayBeReadOnly || !MakeTargetWritable(lpszDestDir, m_pFiles[nIndex].name))
      return false;
    bMayBeReadOnly = false;
  }
}

int32_t CSetupApp::ExtractFiles(CProgressDlg* pProgress, const char* lpszDestDir, EntryDoneHook pfnEntryDone,
                                void* pUserData, ExtractFailedHook pfnFailed)
{
  for (int32_t j = 0; j < m_nFiles; ++j) {
    if (pProgress != NULL) {
      pProgress->SetDlgItemText(IDC_CURRENT_FILE, "");
      pProgress->SetDlgItemText(IDC_CURRENT_FILE, m_pFiles[j].name);
      PumpPaintMessages();
    }
    CString strCause;
    while (!ExtractEntry(j, lpszDestDir, strCause))
      if (pfnFailed == NULL || !pfnFailed(j, strCause, pUserData))
        return j;
    if (pProgress != NULL)
      pProgress->m_progress.OffsetPos(m_pFiles[j].size);
    m_log.Write("installed", m_pFiles[j].name);
    if (pfnEntryDone != NULL)
      pfnEntryDone(j, pUserData);
  }
  return -1;
}
