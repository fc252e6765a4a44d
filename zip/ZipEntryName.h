// An entry's name as UTF-8, whichever way the archive stores it. With
// general-purpose flag bit 11 the name bytes are UTF-8. Without it, Info-ZIP's
// Unicode Path block in the central extra field may carry the UTF-8 name; it
// counts while it is of version 1 and its CRC-32 matches the name as stored
// (a tool that renamed the entry without knowing the block left it stale).
// Otherwise the bytes are in the OEM code page of the machine that made the
// archive, as DOS and Windows tools have always written them.
#pragma once
#include "framework/afx.h"
#include "zip/ZipBuffer.h"

// False for a damaged name: bytes that are not UTF-8 where the archive says
// they are, or a NUL, which no file name holds and which would cut the name.
bool DecodeEntryName(uint16_t nFlags, const CZipBuffer& storedName, const CZipBuffer& centralExtra, CString& strName);
