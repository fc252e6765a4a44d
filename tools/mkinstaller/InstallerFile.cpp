#include "tools/mkinstaller/InstallerFile.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>

#include <vector>

#include "tools/mkinstaller/CodePage.h"
#include "tools/mkinstaller/Diagnostics.h"

void LoadInstaller(CSetupData& data, CString& strAgreement, const std::string& strPath, const std::string& strShownAs)
{
  if (data.LoadOverlayFrom(strPath.c_str(), strAgreement)) {
    std::string strError(data.m_strError);
    for (char& c : strError)
      if (c == '\n')
        c = ' ';
    Refuse(strShownAs.empty() ? strPath : strShownAs, "setup would say: " + strError);
  }
  if (data.BuildFileTable())
    Refuse(strShownAs.empty() ? strPath : strShownAs, "setup would say: Out of memory!");
}

std::string DescribeException(CException* e)
{
  std::string strWhat = "file error";
  if (e->IsKindOf(RUNTIME_CLASS(CZipException)))
    strWhat = "archive error, cause " + std::to_string(static_cast<CZipException*>(e)->m_nCause);
  else if (e->IsKindOf(RUNTIME_CLASS(CFileException)))
    strWhat = "file error, cause " + std::to_string(static_cast<CFileException*>(e)->m_cause);
  e->Delete();
  return strWhat;
}

std::string EntryNameUtf8(const CSetupData& data, uint16_t nIndex)
{
  CZipEntryHeader info;
  data.m_archive.GetEntryInfo(info, nIndex);
  CString strName = info.GetFileName();
  return AnsiToUtf8(std::string(strName, (size_t)strName.GetLength()));
}

uint64_t ReadEntryChunks(CSetupData& data, uint16_t nIndex, const std::string& strShownAs,
                         const std::function<void(const char*, uint32_t)>& onChunk)
{
  std::string strWhere = strShownAs + ": entry \"" + EntryNameUtf8(data, nIndex) + "\"";
  if (!data.m_archive.OpenEntry(nIndex))
    Refuse(strWhere, "cannot be opened");
  uint64_t nBytes = 0;
  int32_t nResult = 0;
  try {
    std::vector<char> buf(65536);
    uint32_t n;
    while ((n = data.m_archive.ReadEntry(buf.data(), (uint32_t)buf.size())) > 0) {
      onChunk(buf.data(), n);
      nBytes += n;
    }
    nResult = data.m_archive.CloseEntry();
  } catch (CException* e) {
    data.m_archive.CloseEntry(NULL, true);
    Refuse(strWhere, DescribeException(e));
  }
  if (nResult != 1)
    Refuse(strWhere, "not read to its end");
  return nBytes;
}

std::string ReadEntryData(CSetupData& data, uint16_t nIndex, const std::string& strShownAs)
{
  std::string strData;
  ReadEntryChunks(data, nIndex, strShownAs, [&strData](const char* p, uint32_t n) { strData.append(p, n); });
  return strData;
}

std::string ReadHostFile(const std::string& strPath)
{
  FILE* pFile = fopen(strPath.c_str(), "rb");
  if (pFile == NULL)
    Refuse(strPath, std::string("cannot be read: ") + strerror(errno));
  std::string strData;
  char buf[65536];
  size_t n;
  while ((n = fread(buf, 1, sizeof(buf), pFile)) > 0)
    strData.append(buf, n);
  bool bFailed = ferror(pFile) != 0;
  fclose(pFile);
  if (bFailed)
    Refuse(strPath, "read error");
  return strData;
}
