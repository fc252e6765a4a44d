#include "tools/mkinstaller/InstallerFile.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <algorithm>

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

const char* LoadedScript(const CSetupData& data) { return data.m_strScript; }

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

std::string EntryNameUtf8(const CZipReader& archive, uint16_t nIndex)
{
  CZipEntryHeader info;
  archive.GetEntryInfo(info, nIndex);
  CString strName = info.GetFileName();
  return std::string(strName, (size_t)strName.GetLength());
}

uint64_t ReadEntryData(CZipReader& archive, uint16_t nIndex, const std::string& strShownAs,
                       const std::function<void(const char*, uint32_t)>& take)
{
  std::string strWhere = strShownAs + ": entry \"" + EntryNameUtf8(archive, nIndex) + "\"";
  if (!archive.OpenEntry(nIndex))
    Refuse(strWhere, "cannot be opened");
  uint64_t nTotal = 0;
  int32_t nResult = 0;
  try {
    char buf[65536];
    uint32_t n;
    while ((n = archive.ReadEntry(buf, sizeof(buf))) > 0) {
      take(buf, n);
      nTotal += n;
    }
    nResult = archive.CloseEntry();
  } catch (CException* e) {
    archive.CloseEntry(NULL, true);
    Refuse(strWhere, DescribeException(e));
  } catch (const CRefusal&) {
    archive.CloseEntry(NULL, true);
    throw;
  }
  if (nResult != 1)
    Refuse(strWhere, "not read to its end");
  return nTotal;
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

std::string ReadFileHead(const std::string& strPath, size_t nMax)
{
  std::string strData;
  FILE* pFile = fopen(strPath.c_str(), "rb");
  if (pFile == NULL)
    return strData;
  char buf[65536];
  size_t n;
  while (strData.size() < nMax && (n = fread(buf, 1, std::min(sizeof(buf), nMax - strData.size()), pFile)) > 0)
    strData.append(buf, n);
  fclose(pFile);
  return strData;
}
