// Reading an installer with setup's own code: the overlay search, the script
// parse and the archive reader, exactly as setup runs them.
#pragma once
#include <functional>
#include <string>

#include "setup/SetupData.h"

// Loads the installer into data; refuses with setup's own message, naming
// strShownAs (the path when empty).
void LoadInstaller(CSetupData& data, CString& strAgreement, const std::string& strPath,
                   const std::string& strShownAs = std::string());
// The script of a loaded installer, as setup parsed it: UTF-8, NUL-terminated.
const char* LoadedScript(const CSetupData& data);
// One entry's bytes through OpenEntry, ReadEntry and CloseEntry, which checks
// the CRC, handed to take piece by piece; returns their number. Refuses,
// naming the entry and strShownAs, when the reader fails.
uint64_t ReadEntryData(CZipReader& archive, uint16_t nIndex, const std::string& strShownAs,
                       const std::function<void(const char*, uint32_t)>& take);
// An entry's name as setup sees it: UTF-8, backslash-separated.
std::string EntryNameUtf8(const CZipReader& archive, uint16_t nIndex);
// The reader's exception as text; deletes it.
std::string DescribeException(CException* e);

std::string ReadHostFile(const std::string& strPath);
// At most the first nMax bytes; what could be read (nothing when the file
// cannot be opened).
std::string ReadFileHead(const std::string& strPath, size_t nMax);
