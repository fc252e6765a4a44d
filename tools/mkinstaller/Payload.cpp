#include "tools/mkinstaller/Payload.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#include <algorithm>
#include <map>

#include "framework/os/Unicode.h"
#include "tools/mkinstaller/Diagnostics.h"
#include "tools/mkinstaller/WindowsNames.h"

namespace {
// setup's limits: the archive counts entries in 16 bits; setup sums sizes
// in a signed 32-bit integer.
const size_t kMaxEntries = 65535;
const uint64_t kMaxTotal = 0x80000000ull;

// One entry, within setup's counts: nEntries before it, nTotal bytes with it.
CPayloadEntry MakeEntry(const std::string& strSource, const std::string& strName, bool bDirectory,
                        const struct stat& st, int64_t nEpoch, size_t nEntries, uint64_t nTotal)
{
  if (nEntries == kMaxEntries)
    Refuse(strSource, "more than " + std::to_string(kMaxEntries) + " files and folders in the payload");
  if (nTotal >= kMaxTotal)
    Refuse(strSource, "the payload reaches 2 GiB here; setup counts sizes in 31 bits");
  CPayloadEntry entry;
  entry.m_strSource = strSource;
  entry.m_strName = strName;
  entry.m_bDirectory = bDirectory;
  entry.m_nAttributes = bDirectory ? 0x10 : 0x20 | ((st.st_mode & S_IWUSR) ? 0 : 0x01);
  if (nEpoch >= 0)
    ToDosTime(nEpoch, true, entry.m_nDosTime, entry.m_nDosDate);
  else
    ToDosTime((int64_t)st.st_mtime, false, entry.m_nDosTime, entry.m_nDosDate);
  entry.m_nSize = 0;
  if (!bDirectory) {
    // Refused here, before anything is packed, as when contents were read now.
    int fd = open(strSource.c_str(), O_RDONLY);
    if (fd < 0)
      Refuse(strSource, std::string("cannot be read: ") + strerror(errno));
    close(fd);
    entry.m_nSize = (uint32_t)st.st_size;
  }
  return entry;
}

class CPayloadReader
{
public:
  CPayloadReader(const std::string& strRoot, int64_t nEpoch) : m_strRoot(strRoot), m_nEpoch(nEpoch) {}

  std::vector<CPayloadEntry> Read()
  {
    struct stat st;
    if (stat(m_strRoot.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
      Refuse(m_strRoot, "not a folder");
    ReadFolder("");
    std::sort(m_entries.begin(), m_entries.end(),
              [](const CPayloadEntry& a, const CPayloadEntry& b) { return a.m_strName < b.m_strName; });
    return std::move(m_entries);
  }

private:
  void ReadFolder(const std::string& strRel)
  {
    std::string strDir = m_strRoot + (strRel.empty() ? "" : "/" + strRel);
    DIR* pDir = opendir(strDir.c_str());
    if (pDir == NULL)
      Refuse(strDir, std::string("cannot be read: ") + strerror(errno));
    std::vector<std::string> names;
    while (dirent* pEnt = readdir(pDir))
      if (strcmp(pEnt->d_name, ".") != 0 && strcmp(pEnt->d_name, "..") != 0)
        names.push_back(pEnt->d_name);
    closedir(pDir);
    std::sort(names.begin(), names.end());
    for (const std::string& strName : names) {
      std::string strRelChild = strRel.empty() ? strName : strRel + "/" + strName;
      std::string strSource = m_strRoot + "/" + strRelChild;
      CheckName(strSource, strName);
      struct stat st;
      if (lstat(strSource.c_str(), &st) != 0)
        Refuse(strSource, std::string("cannot be read: ") + strerror(errno));
      if (S_ISDIR(st.st_mode)) {
        Add(strSource, strRelChild + "/", true, st);
        ReadFolder(strRelChild);
      } else if (S_ISREG(st.st_mode)) {
        Add(strSource, strRelChild, false, st);
      } else if (S_ISLNK(st.st_mode)) {
        Refuse(strSource, "symbolic links cannot be installed; copy the file or folder instead");
      } else {
        Refuse(strSource, "neither a file nor a folder");
      }
    }
  }

  // The host's names are UTF-8, as the archive's are; each must be one
  // that Windows can hold.
  static void CheckName(const std::string& strSource, const std::string& strName)
  {
    if (!IsValidUtf8(strName.data(), strName.size()))
      Refuse(strSource, "name is not valid UTF-8");
    std::string strProblem = ComponentProblem(strName);
    if (!strProblem.empty())
      Refuse(strSource, strProblem);
  }

  void Add(const std::string& strSource, const std::string& strName, bool bDirectory, const struct stat& st)
  {
    std::string strProblem = NameLengthProblem(strName);
    if (!strProblem.empty())
      Refuse(strSource, strProblem);
    // Windows compares names without regard to case: two such names would
    // land in one file.
    std::string strKey = CaseKey(strName);
    auto it = m_seen.find(strKey);
    if (it != m_seen.end())
      Refuse(strSource, "differs only in case from " + it->second + ", which Windows cannot keep apart");
    m_seen[strKey] = strSource;
    if (!bDirectory)
      m_nTotal += (uint64_t)st.st_size;
    m_entries.push_back(MakeEntry(strSource, strName, bDirectory, st, m_nEpoch, m_entries.size(), m_nTotal));
  }

  std::string m_strRoot;
  int64_t m_nEpoch;
  uint64_t m_nTotal = 0;
  std::vector<CPayloadEntry> m_entries;
  std::map<std::string, std::string> m_seen;
};
}  // namespace

void ToDosTime(int64_t nTime, bool bUtc, uint16_t& nDosTime, uint16_t& nDosDate)
{
  time_t t = (time_t)nTime;
  struct tm tmBuf;
  struct tm* ptm = bUtc ? gmtime_r(&t, &tmBuf) : localtime_r(&t, &tmBuf);
  int nYear = ptm ? ptm->tm_year + 1900 : 1980;
  if (ptm == NULL || nYear < 1980) {
    nDosDate = (uint16_t)((0 << 9) | (1 << 5) | 1);  // 1980-01-01 00:00:00
    nDosTime = 0;
    return;
  }
  if (nYear > 2107) {
    nDosDate = (uint16_t)((127 << 9) | (12 << 5) | 31);  // 2107-12-31 23:59:58
    nDosTime = (uint16_t)((23 << 11) | (59 << 5) | 29);
    return;
  }
  nDosDate = (uint16_t)(((nYear - 1980) << 9) | ((ptm->tm_mon + 1) << 5) | ptm->tm_mday);
  nDosTime = (uint16_t)((ptm->tm_hour << 11) | (ptm->tm_min << 5) | (ptm->tm_sec / 2));
}

void AddPayloadFile(std::vector<CPayloadEntry>& entries, const std::string& strSource, const std::string& strName,
                    int64_t nEpoch)
{
  struct stat st;
  if (stat(strSource.c_str(), &st) != 0)
    Refuse(strSource, std::string("cannot be read: ") + strerror(errno));
  if (!S_ISREG(st.st_mode))
    Refuse(strSource, "not a file");
  uint64_t nTotal = (uint64_t)st.st_size;
  for (const CPayloadEntry& entry : entries)
    nTotal += entry.m_nSize;
  CPayloadEntry entry = MakeEntry(strSource, strName, false, st, nEpoch, entries.size(), nTotal);
  auto at = std::lower_bound(entries.begin(), entries.end(), entry,
                             [](const CPayloadEntry& a, const CPayloadEntry& b) { return a.m_strName < b.m_strName; });
  entries.insert(at, std::move(entry));
}

std::vector<CPayloadEntry> ReadPayload(const std::string& strDir, int64_t nEpoch)
{
  std::string strRoot = strDir;
  while (strRoot.size() > 1 && strRoot.back() == '/')
    strRoot.pop_back();
  return CPayloadReader(strRoot, nEpoch).Read();
}
