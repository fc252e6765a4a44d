// Arrays of objects on the C heap, made and ended without operator new, so
// that the programs built without exception support keep libstdc++'s new
// out. For objects whose bytes may be moved (CString, and records of them):
// such an array may also grow with realloc (MakeRoomByDoubling).
#pragma once
#include <stdint.h>
#include <stdlib.h>

#include <new>

// nCount default-made objects; NULL when there is no memory.
template <class T>
T* NewObjectArray(int32_t nCount)
{
  if (nCount <= 0 || static_cast<size_t>(nCount) > SIZE_MAX / sizeof(T))
    return NULL;
  T* p = static_cast<T*>(malloc(static_cast<size_t>(nCount) * sizeof(T)));
  for (int32_t i = 0; p != NULL && i < nCount; ++i)
    new (&p[i]) T();
  return p;
}

// Ends the first nCount objects and frees the array; pArray NULL and
// nCount 0 afterwards.
template <class T>
void DeleteObjectArray(T*& pArray, int32_t& nCount)
{
  for (int32_t i = 0; i < nCount; ++i)
    pArray[i].~T();
  free(pArray);
  pArray = NULL;
  nCount = 0;
}

// Room for one element more in pArray, which holds nCount of nCapacity:
// nothing when there is room; else the capacity doubled (the first
// time to nFirst), so that a long list is built in linear time. false, with
// the array as it was, when there is no memory or the doubled size would
// wrap: in a 32-bit process it would shrink the array below what it holds.
bool MakeRoomByDoubling(void*& pArray, int32_t nCount, int32_t& nCapacity, size_t nElementSize, int32_t nFirst);

template <class T>
bool MakeRoomByDoubling(T*& pArray, int32_t nCount, int32_t& nCapacity, int32_t nFirst)
{
  void* p = pArray;
  const bool bRoom = MakeRoomByDoubling(p, nCount, nCapacity, sizeof(T), nFirst);
  pArray = static_cast<T*>(p);
  return bRoom;
}
