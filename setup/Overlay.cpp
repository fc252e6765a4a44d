// The overlay: setup's own file holds, behind the program image, marker 1,
// the script, marker 2 and the payload archive. Only the head of the file,
// up to marker 2, is read into memory; the archive is read from the file.
// The script is UTF-8 behind a byte-order mark, or else in the ANSI code
// page (installers made before names were UTF-8).
#include "setup/SetupData.h"

#include <stdlib.h>
#include <string.h>

#include "framework/os/Unicode.h"

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

const uint32_t kMarkerSize = CSetupData::kMarkerSize;
const char kUtf8Bom[] = "\xEF\xBB\xBF";
const size_t kUtf8BomSize = 3;

void MakeMarker(const volatile char* pPlaceholder, char* pszMarker)
{
  for (int i = 0; i < 11; ++i)
    pszMarker[i] = pPlaceholder[i];
  pszMarker[1] = 'o';
}

// The search over p[0, nCount), which stands at offset nBase of the file:
// every start where a whole marker fits. A marker found sets its position
// to the offset just behind it, and a later occurrence replaces an earlier
// one until both have been seen; then the search ends (true).
bool ScanForMarkers(const char* p, uint32_t nCount, uint32_t nBase, const char* pszMarker1, const char* pszMarker2,
                    uint32_t& nPos1, uint32_t& nPos2)
{
  if (nCount < kMarkerSize)
    return false;
  const char* pLast = p + (nCount - kMarkerSize);
  for (const char* q = p; q <= pLast; ++q) {
    q = static_cast<const char*>(memchr(q, '-', (size_t)(pLast - q) + 1));
    if (q == NULL)
      break;
    if (memcmp(q, pszMarker1, kMarkerSize) == 0)
      nPos1 = nBase + (uint32_t)(q - p) + kMarkerSize;
    else if (memcmp(q, pszMarker2, kMarkerSize) == 0)
      nPos2 = nBase + (uint32_t)(q - p) + kMarkerSize;
    if (nPos1 != 0 && nPos2 != 0)
      return true;
  }
  return false;
}

// Marker 2 must begin behind marker 1: the script runs between them.
bool IsOverlay(uint32_t nPos1, uint32_t nPos2) { return nPos1 != 0 && nPos2 != 0 && nPos2 - kMarkerSize >= nPos1; }
}  // namespace

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
  ScanForMarkers(pImage, nSize, 0, szMarker1, szMarker2, nPos1, nPos2);
  if (!IsOverlay(nPos1, nPos2))
    return false;
  nScript = nPos1;
  nArchive = nPos2;
  return true;
}

bool CSetupData::FindOverlayIn(CFile& file, char* pBuffer, uint32_t nBufferSize, uint32_t& nScript, uint32_t& nArchive)
{
  char szMarker1[11], szMarker2[11];
  GetMarkers(szMarker1, szMarker2);
  uint32_t nPos1 = 0, nPos2 = 0;
  if (nBufferSize < kMarkerSize)
    return false;
  file.Seek(0, CFile::begin);
  // pBuffer starts with the last bytes of the chunk before, where a marker
  // may begin that did not fit into that chunk.
  uint32_t nKept = 0;
  uint32_t nBase = 0;
  // Offsets are 32 bits: the search ends before they would wrap.
  while (nBase <= 0xFFFFFFFFu - nBufferSize) {
    uint32_t nRead = file.Read(pBuffer + nKept, nBufferSize - nKept);
    uint32_t nCount = nKept + nRead;
    if (ScanForMarkers(pBuffer, nCount, nBase, szMarker1, szMarker2, nPos1, nPos2) || nRead == 0)
      break;
    nKept = nCount < kMarkerSize - 1 ? nCount : kMarkerSize - 1;
    memmove(pBuffer, pBuffer + nCount - nKept, nKept);
    nBase += nCount - nKept;
  }
  if (!IsOverlay(nPos1, nPos2))
    return false;
  nScript = nPos1;
  nArchive = nPos2;
  return true;
}

void CSetupData::FreeImage()
{
  free(m_pImage);
  m_pImage = NULL;
  m_nImageSize = 0;
}

BOOL CSetupData::LoadOverlayFrom(const char* lpszPath, CString& strAgreement)
{
  if (!m_sourceFile.OpenSource(lpszPath)) {
    m_strError = kCannotOpen;
    return TRUE;
  }
  return LoadOverlayFrom(m_sourceFile, strAgreement);
}

BOOL CSetupData::LoadOverlayFrom(CFile& file, CString& strAgreement)
{
  uint32_t nScript = 0, nArchive = 0;
  char* pChunk = static_cast<char*>(malloc(kSearchChunk));
  if (pChunk == NULL) {
    m_strError = kOutOfMemory;
    return TRUE;
  }
  bool bFound = false;
  try {
    bFound = FindOverlayIn(file, pChunk, kSearchChunk, nScript, nArchive);
  } catch (CException* e) {
    e->Delete();
    free(pChunk);
    m_strError = kCannotOpen;
    return TRUE;
  }
  free(pChunk);
  if (!bFound) {
    m_strError = kCorrupt;
    return TRUE;
  }

  // The head of the file, up to marker 2: the script is parsed in place.
  // A head read before (a second load) goes first.
  FreeImage();
  m_pImage = static_cast<char*>(malloc(nArchive));
  if (m_pImage == NULL) {
    m_strError = kOutOfMemory;
    return TRUE;
  }
  try {
    file.Seek(0, CFile::begin);
    m_nImageSize = file.Read(m_pImage, nArchive);
  } catch (CException* e) {
    e->Delete();
    FreeImage();
    m_strError = kCannotOpen;
    return TRUE;
  }
  // The file may have changed since the search.
  char szMarker1[11], szMarker2[11];
  GetMarkers(szMarker1, szMarker2);
  if (m_nImageSize != nArchive || memcmp(m_pImage + nScript - kMarkerSize, szMarker1, kMarkerSize) != 0 ||
      memcmp(m_pImage + nArchive - kMarkerSize, szMarker2, kMarkerSize) != 0) {
    FreeImage();
    m_strError = kCorrupt;
    return TRUE;
  }
  // The script ends at marker 2, or at a NUL in front of it.
  m_pImage[nArchive - kMarkerSize] = 0;
  const char* pScript = m_pImage + nScript;
  const size_t nScriptLength = strlen(pScript);
  if (nScriptLength >= kUtf8BomSize && memcmp(pScript, kUtf8Bom, kUtf8BomSize) == 0) {
    if (!IsValidUtf8(pScript + kUtf8BomSize, nScriptLength - kUtf8BomSize)) {
      FreeImage();
      m_strError = kCorrupt;
      return TRUE;
    }
    m_strScript = CString(pScript + kUtf8BomSize, (int)(nScriptLength - kUtf8BomSize));
  } else {
    m_strScript = Utf8FromCodePage(kAnsiCodePage, pScript, (int)nScriptLength);
  }
  ParseScript(m_strScript, strAgreement);

  // The reader takes the whole file; its bias is the length of the head.
  try {
    m_archive.Open(&file, ZIP_OPEN_ONE_FILE);
  } catch (CException* e) {
    // An archive the reader cannot read is a damaged installer, not a crash.
    e->Delete();
    m_strError = kCorrupt;
    return TRUE;
  }
  // The archive is what stands behind marker 2: an end record that places
  // it in front of that, in the script or the program, is a damaged one.
  if (m_archive.m_directory.m_nBias < nArchive) {
    m_strError = kCorrupt;
    return TRUE;
  }
  return FALSE;
}
