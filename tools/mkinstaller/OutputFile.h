// The installer as it is written: a new file, appended to in order, with
// earlier bytes rewritten in place (an entry's header once its sizes are known).
#pragma once
#include <stdint.h>
#include <string>
#include <sys/types.h>

class COutputFile
{
public:
  // Creates (or empties) the file; refuses, naming strShownAs, when it cannot.
  COutputFile(const std::string& strPath, mode_t nMode, const std::string& strShownAs);
  ~COutputFile();
  COutputFile(const COutputFile&) = delete;
  COutputFile& operator=(const COutputFile&) = delete;

  uint64_t Position() const { return m_nPosition; }
  void Append(const std::string& strData) { Append(strData.data(), strData.size()); }
  void Append(const char* pData, size_t nSize);
  void WriteAt(uint64_t nOffset, const std::string& strData) { Write(strData.data(), strData.size(), nOffset); }
  void WriteAt(uint64_t nOffset, const char* pData, size_t nSize) { Write(pData, nSize, nOffset); }
  // Moves the end back (to drop bytes written there before).
  void Rewind(uint64_t nPosition);
  // Cuts the file at the position and closes it; refuses when it cannot.
  void Close();

private:
  void Write(const char* pData, size_t nSize, uint64_t nOffset);

  std::string m_strShownAs;
  int m_fd;
  uint64_t m_nPosition = 0;
};
