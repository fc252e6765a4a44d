// The read-back after build: the new installer, read as setup reads it, must
// hold exactly the script and the payload files that went in.
#pragma once
#include <stdint.h>
#include <string>
#include <vector>

#include "tools/mkinstaller/Payload.h"
#include "tools/mkinstaller/Progress.h"

// strTemp is read, strPath named in refusals. nScript is the offset behind
// marker 1. Contents are read back on nThreads threads, each with its own
// reader over the file, as setup reads it.
void VerifyInstaller(const std::string& strTemp, const std::string& strPath, uint32_t nScript,
                     const std::string& strScript, const std::vector<CPayloadEntry>& entries, unsigned nThreads,
                     CProgress& progress);
