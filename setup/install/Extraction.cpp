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

}  // namespace

bool CInstallPipeline::PrepareTarget(int32_t nIndex, CString& strCause)
{
  // Once per entry: a Retry finds its records made.
  if (nIndex == m_nPrepared || m_journal.OwnsDestination())
    return true;
  const CString& strName = m_setup.m_pFiles[nIndex].name;
  // The reader refuses such a name itself.
  if (!IsInsideInstallation(strName))
    return true;
  CString strPath = m_choices.strDestDir + "\\" + strName;
  const bool bFolderEntry = strPath[strPath.GetLength() - 1] == '\\';
  if (bFolderEntry)
    strPath = strPath.Left(strPath.GetLength() - 1);
  const uint32_t nAttributes = GetPathAttributes(strPath);
  bool bRecorded = m_journal.WillMakeParents(strPath);
  if (bRecorded && bFolderEntry)
    bRecorded = nAttributes != kNoAttributes || m_journal.WillMakeFolder(strPath);
  else if (bRecorded && nAttributes != kNoAttributes && !(nAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    // The earlier file goes aside, to come back if the installation is undone.
    if (!m_journal.MoveAside(strPath)) {
      const DWORD nError = ::GetLastError();
      strCause = DescribeFileCause(CFileException::OsErrorToException(static_cast<LONG>(nError)),
                                   static_cast<long>(nError), m_setup.m_strLanguage);
      return false;
    }
    bRecorded = m_journal.WillMakeFile(strPath);
  } else if (bRecorded && nAttributes == kNoAttributes) {
    bRecorded = m_journal.WillMakeFile(strPath);
  }
  if (!bRecorded) {
    strCause = Text(kCauseJournal);
    return false;
  }
  m_nPrepared = nIndex;
  return true;
}

bool CInstallPipeline::ExtractEntry(int32_t nIndex, CString& strCause)
{
  const CString& strLanguage = m_setup.m_strLanguage;
  if (!PrepareTarget(nIndex, strCause))
    return false;
  try {
    if (m_setup.m_archive.ExtractFile(static_cast<uint16_t>(nIndex), m_choices.strDestDir, true, NULL, NULL, NULL,
                                      kExtractBufferSize))
      return true;
    strCause = DescribeFalseResult(m_setup.m_archive.m_nExtractClose, strLanguage);
  } catch (CZipException* e) {
    strCause = DescribeZipCause(e->m_nCause, strLanguage);
    e->Delete();
  } catch (CFileException* e) {
    strCause = DescribeFileCause(e->m_cause, e->m_lOsError, strLanguage);
    e->Delete();
  } catch (CException* e) {
    strCause = DescribeZipCause(CZipException::unknownCause, strLanguage);
    e->Delete();
  }
  // A failure can leave the entry open, which would refuse every later one.
  m_setup.m_archive.CloseEntry(NULL, true);
  return false;
}
