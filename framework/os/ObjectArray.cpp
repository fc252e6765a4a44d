#include "framework/os/ObjectArray.h"

bool MakeRoomByDoubling(void*& pArray, int32_t nCount, int32_t& nCapacity, size_t nElementSize, int32_t nFirst)
{
  if (nCount < nCapacity)
    return true;
  if (nCapacity > INT32_MAX / 2 || (size_t)nCapacity * 2 > SIZE_MAX / nElementSize)
    return false;
  const int32_t nNew = nCapacity ? nCapacity * 2 : nFirst;
  void* pNew = realloc(pArray, nElementSize * (size_t)nNew);
  if (pNew == NULL)
    return false;
  pArray = pNew;
  nCapacity = nNew;
  return true;
}

