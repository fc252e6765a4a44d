#include "ZipTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <stdlib.h>
#ifdef _WIN32
#include <windows.h>
#endif

std::string FixturePath(const std::string& relative)
{
  const char* root = getenv("INSTALLER_FIXTURES");
  std::string path = std::string(root ? root : "fixtures") + "/" + relative;
#ifdef _WIN32
  // Under wine the Unix file system is drive Z:.
  if (!path.empty() && path[0] == '/')
    path = "Z:" + path;
#endif
  return path;
}

Bytes LoadFile(const std::string& path)
{
  std::ifstream in(fs::u8path(path), std::ios::binary);
  EXPECT_TRUE(in.good()) << path;
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes LoadArchive(const std::string& name) { return LoadFile(FixturePath("archives/" + name)); }
Bytes LoadTreeFile(const std::string& relative) { return LoadFile(FixturePath("tree/" + relative)); }

#ifdef _WIN32
namespace {

// Depth first through the wide calls, read-only entries made writable: what
// lies below may reach beyond the old path limit, as the reader writes it,
// which the prefixed path lifts (std::filesystem does not walk such trees).
void RemoveWideTree(const std::wstring& path)
{
  WIN32_FIND_DATAW found;
  HANDLE hFind = FindFirstFileW((path + L"\\*").c_str(), &found);
  if (hFind != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..")
        continue;
      const std::wstring entry = path + L"\\" + name;
      SetFileAttributesW(entry.c_str(), found.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveWideTree(entry);
      else
        DeleteFileW(entry.c_str());
    } while (FindNextFileW(hFind, &found));
    FindClose(hFind);
  }
  RemoveDirectoryW(path.c_str());
}

}  // namespace

void RemoveTree(const fs::path& path)
{
  std::error_code ec;
  const fs::path whole = fs::absolute(path, ec).lexically_normal();
  RemoveWideTree(L"\\\\?\\" + whole.native());
}
#else
void RemoveTree(const fs::path& path)
{
  std::error_code ec;
  if (!fs::exists(path, ec))
    return;
  for (auto it = fs::recursive_directory_iterator(path, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec))
    fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ec);
  fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, ec);
  fs::remove_all(path, ec);
}
#endif

CScratchDir::CScratchDir()
{
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string("scratch-") + info->test_suite_name() + "-" + info->name();
  for (char& c : name)
    if (!isalnum((unsigned char)c) && c != '-')
      c = '_';
  fs::path path = fs::current_path() / name;
  RemoveTree(path);
  fs::create_directories(path);
  m_strPath = path.string();
}

CScratchDir::~CScratchDir() { RemoveTree(Fs()); }

std::set<std::string> CScratchDir::Files() const
{
  std::set<std::string> files;
  for (auto& entry : fs::recursive_directory_iterator(Fs()))
    if (entry.is_regular_file())
      files.insert(fs::relative(entry.path(), Fs()).generic_string());
  return files;
}

CMemArchive::CMemArchive(const Bytes& bytes) : data(bytes), file(data.data(), (UINT)data.size(), 0) {}

uint32_t Get32(const Bytes& b, size_t o)
{
  return b.at(o) | (b.at(o + 1) << 8) | (b.at(o + 2) << 16) | ((uint32_t)b.at(o + 3) << 24);
}

static uint16_t Get16(const Bytes& b, size_t o) { return (uint16_t)(b.at(o) | (b.at(o + 1) << 8)); }

void Put16(Bytes& b, size_t o, uint16_t v)
{
  b.at(o) = (uint8_t)v;
  b.at(o + 1) = (uint8_t)(v >> 8);
}

void Put32(Bytes& b, size_t o, uint32_t v)
{
  Put16(b, o, (uint16_t)v);
  Put16(b, o + 2, (uint16_t)(v >> 16));
}

size_t FindEndRecord(const Bytes& b)
{
  for (size_t i = b.size() - 22 + 1; i-- > 0;)
    if (Get32(b, i) == 0x06054B50)
      return i;
  ADD_FAILURE() << "no end record";
  return 0;
}

std::vector<EntryRecords> LocateEntries(const Bytes& b)
{
  size_t end = FindEndRecord(b);
  size_t bias = end - Get32(b, end + 12) - Get32(b, end + 16);
  size_t pos = bias + Get32(b, end + 16);
  std::vector<EntryRecords> entries;
  for (unsigned i = 0; i < Get16(b, end + 10); ++i) {
    EntryRecords e;
    e.nCentral = pos;
    e.nLocal = bias + Get32(b, pos + 42);
    e.nPackedSize = Get32(b, pos + 20);
    e.strName.assign(reinterpret_cast<const char*>(&b.at(pos + 46)), Get16(b, pos + 28));
    e.nData = e.nLocal + 30 + Get16(b, e.nLocal + 26) + Get16(b, e.nLocal + 28);
    entries.push_back(e);
    pos += 46 + Get16(b, pos + 28) + Get16(b, pos + 30) + Get16(b, pos + 32);
  }
  return entries;
}

EntryRecords EntryNamed(const std::vector<EntryRecords>& entries, const std::string& name)
{
  for (const EntryRecords& e : entries)
    if (e.strName == name)
      return e;
  ADD_FAILURE() << "no entry " << name;
  return entries.at(0);
}

int FindEntry(CZipReader& reader, const char* lpszName)
{
  for (int i = 0; i < reader.GetCount(); ++i) {
    CZipEntryHeader header;
    if (reader.GetEntryInfo(header, (uint16_t)i) && header.GetFileName() == lpszName)
      return i;
  }
  return -1;
}

bool IsReadOnly(const fs::path& path)
{
  return (fs::status(path).permissions() & fs::perms::owner_write) == fs::perms::none;
}
