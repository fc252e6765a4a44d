// The extraction of one entry: where the archive reader's and the file
// layer's exceptions are caught and turned into the cause the person reads.
// The only part of the pipeline built with exception support.
#include "setup/install/InstallPipeline.h"

#include "common/InstallNames.h"
#include "framework/os/FileSystem.h"
#include "setup/SetupTexts.h"
#include "zip/ZipPath.h"

namespace {

// The copy buffer of one entry's extraction.
const uint32_t kExtractBufferSize = kZipCopyBufferSize;

// An earlier installation may have left the file read-only; it is replaced
// anyway, and the archive's attributes are set again afterwards. Only
// asked after the file has been refused: most entries are new files, and
// under wine every look at a file is a round trip. true when the file was
// read-only and now is not.
bool MakeTargetWritable(const char* lpszDestDir, const char* lpszName)
{
  if (!IsInsideInstallation(lpszName))
    return false;
  CString strDir(lpszDestDir);
  while (!strDir.IsEmpty() && strDir[strDir.GetLength() - 1] == '\\')
    strDir = strDir.Left(strDir.GetLength() - 1);
  const CString strPath = strDir + "\\" + GetPathWithoutDrive(lpszName);
  const uint32_t nAttributes = GetPathAttributes(strPath);
  return nAttributes != kNoAttributes && !(nAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
         (nAttributes & FILE_ATTRIBUTE_READONLY) &&
         SetPathAttributes(strPath, nAttributes & ~static_cast<uint32_t>(FILE_ATTRIBUTE_READONLY));
}

}  // namespace

bool CInstallPipeline::ExtractEntry(int32_t nIndex, CString& strCause)
{
  const CString& strLanguage = m_setup.m_strLanguage;
  bool bMayBeReadOnly = true;
  for (;;) {
    bool bDenied = false;
    try {
      if (m_setup.m_archive.ExtractFile(static_cast<uint16_t>(nIndex), m_choices.strDestDir, true, NULL, NULL, NULL,
                                        kExtractBufferSize))
        return true;
      strCause = DescribeFalseResult(m_setup.m_archive.m_nExtractClose, strLanguage);
    } catch (CZipException* e) {
      strCause = DescribeZipCause(e->m_nCause, strLanguage);
      e->Delete();
    } catch (CFileException* e) {
      bDenied = e->m_cause == CFileException::accessDenied;
      strCause = DescribeFileCause(e->m_cause, e->m_lOsError, strLanguage);
      e->Delete();
    } catch (CException* e) {
      strCause = DescribeZipCause(CZipException::unknownCause, strLanguage);
      e->Delete();
    }
    // A failure can leave the entry open, which would refuse every later one.
    m_setup.m_archive.CloseEntry(NULL, true);
    if (!bDenied || !bMayBeReadOnly || !MakeTargetWritable(m_choices.strDestDir, m_setup.m_pFiles[nIndex].name))
      return false;
    bMayBeReadOnly = false;
  }
}
