// Shared helpers of the archive reader's tests: fixture paths, scratch
// directories, archives in memory, and a small independent record locator
// for damaging archives on purpose.
#pragma once
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "framework/afx.h"
#include "zip/ZipReader.h"

namespace fs = std::filesystem;
typedef std::vector<uint8_t> Bytes;

// A path below INSTALLER_FIXTURES, in the form the platform's file calls take.
std::string FixturePath(const std::string& relative);
Bytes LoadFile(const std::string& path);
Bytes LoadArchive(const std::string& name);  // archives/<name>
Bytes LoadTreeFile(const std::string& relative);

// A fresh directory below the current one, removed with all it holds
// (read-only files included) when the test ends.
class CScratchDir
{
public:
  CScratchDir();
  ~CScratchDir();
  const std::string& Path() const { return m_strPath; }
  fs::path Fs() const { return fs::path(m_strPath); }
  std::set<std::string> Files() const;  // relative paths of every file, '/' separated

private:
  std::string m_strPath;
};

void RemoveTree(const fs::path& path);

// An archive opened from memory the way setup opens it: a CMemFile attached
// to the bytes with a growth step of 0.
struct CMemArchive
{
  explicit CMemArchive(const Bytes& bytes);
  void Open() { reader.Open(&file); }
  Bytes data;
  CMemFile file;
  CZipReader reader;
};

// Runs f and returns the cause of the CZipException it throws, or 0 when it
// throws nothing; any other exception fails the test.
template <class F>
int ZipCause(F f)
{
  try {
    f();
  } catch (CZipException* e) {
    int nCause = e->m_nCause;
    e->Delete();
    return nCause;
  }
  return 0;
}

// Runs f and tells whether it threw a CFileException.
template <class F>
bool ThrowsFileException(F f)
{
  try {
    f();
  } catch (CFileException* e) {
    e->Delete();
    return true;
  }
  return false;
}

// Where an archive's records lie, read straight from the bytes.
struct EntryRecords
{
  size_t nCentral;  // offset of the central record
  size_t nLocal;    // offset of the local header
  size_t nData;     // first byte of the entry data
  uint32_t nPackedSize;
  std::string strName;
};
size_t FindEndRecord(const Bytes& bytes);
std::vector<EntryRecords> LocateEntries(const Bytes& bytes);
EntryRecords EntryNamed(const std::vector<EntryRecords>& entries, const std::string& name);
uint32_t Get32(const Bytes& bytes, size_t offset);
void Put16(Bytes& bytes, size_t offset, uint16_t value);
void Put32(Bytes& bytes, size_t offset, uint32_t value);

int FindEntry(CZipReader& reader, const char* lpszName);  // index of the entry, or -1
bool IsReadOnly(const fs::path& path);
