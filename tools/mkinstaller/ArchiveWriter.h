// Writes the payload archive: DOS attributes and times, names in code page
// 437 without the UTF-8 flag, each file deflated unless that does not help.
#pragma once
#include <string>
#include <vector>

#include "tools/mkinstaller/Payload.h"

// The archive's bytes; entries in the given order.
std::string WriteArchive(const std::vector<CPayloadEntry>& entries);
