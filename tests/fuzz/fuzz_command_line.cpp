// ParseCommandLine on arbitrary bytes, for both programs' options: every
// field it fills stays a terminated string inside its buffer, and an
// understood line has no error and vice versa.
#include "common/CommandLine.h"

#include <stdlib.h>
#include <string.h>

#include <string>

static void CheckTerminated(const char* pszField, size_t nSize)
{
  if (memchr(pszField, 0, nSize) == NULL)
    abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  // The command line is a C string: it ends at the first NUL.
  std::string strArgs(reinterpret_cast<const char*>(data), size);
  for (unsigned nKnown : {unsigned(OPT_SETUP), unsigned(OPT_UNINSTALL)}) {
    CommandLine line;
    line.strGroup = line.strLog = line.strDest = "sentinel";
    memset(line.szError, 0x5a, sizeof(line.szError));
    bool bUnderstood = ParseCommandLine(strArgs.c_str(), nKnown, line);
    CheckTerminated(line.szError, sizeof(line.szError));
    if (bUnderstood != (line.szError[0] == 0) || (line.nGiven & ~nKnown) != 0)
      abort();
    // A value is there exactly when its option is, on an understood line.
    if (bUnderstood && (((line.nGiven & OPT_GROUP) != 0) != !line.strGroup.IsEmpty() ||
                        ((line.nGiven & OPT_LOG) != 0) != !line.strLog.IsEmpty() ||
                        ((line.nGiven & OPT_DEST) != 0) != !line.strDest.IsEmpty()))
      abort();
  }
  return 0;
}
