// Writes the payload archive: DOS attributes and times, names in UTF-8 (with
// general-purpose flag bit 11 unless they are ASCII), each file deflated
// unless that does not help.
// Offsets count from the archive's start, as setup's reader counts them.
#pragma once
#include <vector>

#include "tools/mkinstaller/OutputFile.h"
#include "tools/mkinstaller/Payload.h"
#include "tools/mkinstaller/Progress.h"

// Appends the archive, entries in the given order, deflated on nThreads
// threads; returns its size.
uint64_t WriteArchive(COutputFile& out, const std::vector<CPayloadEntry>& entries, unsigned nThreads,
                      CProgress& progress);
