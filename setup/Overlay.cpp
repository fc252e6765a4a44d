// The overlay: setup's own file holds, behind the program image, marker 1,
// the script, marker 2 and the payload archive.
#include "setup/SetupData.h"

#include <stdlib.h>
#include <string.h>

namespace {
// Only placeholders are stored, so that the program image itself never
// holds a marker; 'o' goes in at index 1 of a working copy. Read through
// volatile so that the compiler cannot fold the finished text into the code.
const volatile char s_szMarker1[] = "-?verlay1-";
const volatile char s_szMarker2[] = "-?verlay2-";

const char kCannotOpen[] =
    "Source file could not be opened!\n\nIf you are running this setup application from the\n"
    "command prompt, try running it from Windows!";
const char kOutOfMemory[] = "Out of memory!";
const char kCorrupt[] = "The installation file is corrupt!";

void MakeMarker(const volatile char* pPlaceholder, char* pszMarker)
{
  for (int i = 0; i < 11; ++i)
    pszMarker[i] = pPlaceholder[i];
  pszMarker[1] = 'o';
}
}

void CSetupData::GetMarkers(char szMarker1[11], char szMarker2[11])
{
  MakeMarker(s_szMarker1, szMarker1);
  MakeMarker(s_szMarker2, szMarker2);
}

bool CSetupData::FindOverlay(const char* pImage, uint32_t nSize, uint32_t& nScript, uint32_t& nArchive)
{
  char szMarker1[11], szMarker2[11];
  GetMarkers(szMarker1, szMarker2);
  uint32_t nPos1 = 0, nPos2 = 0;
  if (nSize >= kMarkerSize) {
    // Every start where a whole marker still fits; a later occurrence
    // replaces an earlier one until both have been seen.
    const char* pLast = pImage + (nSize - kMarkerSize);
    const char* p = pImage;
    while (p <= pLast && (nPos1 == 0 || nPos2 == 0)) {
      p = static_cast<const char*>(memchr(p, '-', (size_t)(pLast - p) + 1));
      if (p == NULL)
        break;
      if (memcmp(p, szMarker1, kMarkerSize) == 0)
        nPos1 = (uint32_t)(p - pImage) + kMarkerSize;
      else if (memcmp(p, szMarker2, kMarkerSize) == 0)
        nPos2 = (uint32_t)(p - pImage) + kMarkerSize;
      ++p;
    }
  }
  // Marker 2 must begin behind marker 1: the script runs between them.
  if (nPos1 == 0 || nPos2 == 0 || nPos2 - kMarkerSize < nPos1)
    return false;
  nScript = nPos1;
  nArchive = nPos2;
  return true;
}

BOOL CSetupData::LoadOverlayFrom(const char* lpszPath, CString& strAgreement)
{
  CFile file;
  // Shared as the runtime library's "rb" shares: the program may be running.
  if (!file.Open(lpszPath, CFile::modeRead | CFile::shareDenyNone)) {
    m_strError = kCannotOpen;
    return TRUE;
  }
  try {
    DWORD nLength = file.GetLength();
    m_pImage = static_cast<char*>(malloc(nLength ? nLength : 1));
    if (m_pImage == NULL) {
      m_strError = kOutOfMemory;
      return TRUE;
    }
    m_nImageSize = file.Read(m_pImage, nLength);
    file.Close();
  } catch (CException* e) {
    e->Delete();
    free(m_pImage);
    m_pImage = NULL;
    m_nImageSize = 0;
    m_strError = kCannotOpen;
    return TRUE;
  }

  uint32_t nScript = 0, nArchive = 0;
  if (!FindOverlay(m_pImage, m_nImageSize, nScript, nArchive)) {
    free(m_pImage);
    m_pImage = NULL;
    m_nImageSize = 0;
    m_strError = kCorrupt;
    return TRUE;
  }
  m_pImage[nArchive - kMarkerSize] = 0;
  ParseScript(m_pImage + nScript, strAgreement);

  m_archiveFile.Attach(reinterpret_cast<BYTE*>(m_pImage + nArchive), m_nImageSize - nArchive, 0);
  try {
    m_archive.Open(&m_archiveFile, 0);
  } catch (CException* e) {
    // An archive the reader cannot read is a damaged installer, not a crash.
    e->Delete();
    m_strError = kCorrupt;
    return TRUE;
  }
  return FALSE;
}
