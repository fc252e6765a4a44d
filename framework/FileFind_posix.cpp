#ifndef _WIN32
#include "framework/FileFind.h"

#include <dirent.h>
#include <fnmatch.h>
#include <string>
#include <sys/stat.h>
#include <vector>

struct CFileFind::Impl
{
  struct Match
  {
    std::string name;
    bool bDirectory;
  };
  std::vector<Match> matches;
  size_t next = 0;     // index of the match not yet handed out
  size_t current = 0;  // index FindNextFile stepped to
};

CFileFind::CFileFind() : m_pImpl(new Impl) {}

CFileFind::~CFileFind() { delete m_pImpl; }

void CFileFind::Close()
{
  m_pImpl->matches.clear();
  m_pImpl->next = m_pImpl->current = 0;
}

BOOL CFileFind::FindFile(const char* pstrName)
{
  Close();
  std::string path = pstrName ? pstrName : "*.*";
  for (char& c : path)
    if (c == '\\')
      c = '/';
  while (path.size() > 1 && path.back() == '/')
    path.pop_back();
  size_t slash = path.rfind('/');
  std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);

  struct stat st;
  if (name.find_first_of("*?") == std::string::npos) {
    if (stat(path.c_str(), &st) == 0)
      m_pImpl->matches.push_back({name, S_ISDIR(st.st_mode)});
  } else if (DIR* d = opendir(dir.c_str())) {
    // "*.*" means every name on Windows, also names without a dot.
    bool bAll = name == "*.*" || name == "*";
    while (struct dirent* e = readdir(d)) {
      if (!bAll && fnmatch(name.c_str(), e->d_name, 0) != 0)
        continue;
      std::string full = dir + "/" + e->d_name;
      bool bDir = stat(full.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
      m_pImpl->matches.push_back({e->d_name, bDir});
    }
    closedir(d);
  }
  return !m_pImpl->matches.empty();
}

BOOL CFileFind::FindNextFile()
{
  if (m_pImpl->next >= m_pImpl->matches.size())
    return FALSE;
  m_pImpl->current = m_pImpl->next++;
  return m_pImpl->next < m_pImpl->matches.size();
}

CString CFileFind::GetFileName() const
{
  if (m_pImpl->current >= m_pImpl->matches.size())
    return CString();
  return m_pImpl->matches[m_pImpl->current].name.c_str();
}

BOOL CFileFind::IsDirectory() const
{
  return m_pImpl->current < m_pImpl->matches.size() && m_pImpl->matches[m_pImpl->current].bDirectory;
}
#endif
