// ReadFontName on arbitrary bytes: it must read nothing outside them and
// leave a terminated name of UTF-16 units without NULs inside.
#include "common/FontName.h"

#include <stdlib.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  CFontMemory memory(data, size);
  FontName name;
  ReadFontName(memory, name);
  if (name.nOutlines != FONT_NOT_SFNT && name.nOutlines != FONT_TRUETYPE && name.nOutlines != FONT_OPENTYPE)
    abort();
  size_t nLength = 0;
  while (nLength < FONT_NAME_UNITS && name.szName[nLength])
    nLength++;
  if (nLength == FONT_NAME_UNITS)
    abort();
  // A name is found only in a table directory that could be read.
  if (nLength > 0 && name.nOutlines == FONT_NOT_SFNT)
    abort();
  return 0;
}
