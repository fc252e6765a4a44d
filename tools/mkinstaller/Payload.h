// The payload folder as archive entries: names in UTF-8 as setup will read
// them, DOS attributes, times and sizes, sorted byte-wise by name. Contents
// stay on disk until they are packed.
#pragma once
#include <stdint.h>
#include <string>
#include <vector>

struct CPayloadEntry
{
  std::string m_strSource;  // host path of the file or folder
  std::string m_strName;    // archive name in UTF-8, '/'-separated, "dir/" for a folder
  bool m_bDirectory;
  uint32_t m_nAttributes;  // DOS attribute bits
  uint16_t m_nDosTime, m_nDosDate;
  uint32_t m_nSize;  // a file's size in bytes (below 2 GiB)
};

// Reads the whole folder. nEpoch >= 0 (SOURCE_DATE_EPOCH) gives every entry
// that time, taken as UTC; otherwise each keeps its modification time, local.
// Refuses what setup or Windows at the destination cannot hold (see
// WindowsNames.h), and names that are not UTF-8.
std::vector<CPayloadEntry> ReadPayload(const std::string& strDir, int64_t nEpoch);

// Adds a file from outside the folder at its top as strName (ASCII), with
// the attributes, time and limits of the folder's files, in sorted order.
void AddPayloadFile(std::vector<CPayloadEntry>& entries, const std::string& strSource, const std::string& strName,
                    int64_t nEpoch);

// A time as MS-DOS date and time, clamped to the range they can hold.
void ToDosTime(int64_t nTime, bool bUtc, uint16_t& nDosTime, uint16_t& nDosDate);
