// Pointer containers: a growable array and a doubly linked list whose nodes
// come from blocks of nBlockSize nodes; and room in plain realloc'ed arrays.
#pragma once
#include "framework/Platform.h"

// Room for one more element in a realloc'ed array of nCount elements of
// nElementSize bytes with room for nCapacity: full, it doubles (the first
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

typedef struct __POSITION* POSITION;

class CPtrArray
{
public:
  CPtrArray() : m_pData(NULL), m_nSize(0), m_nMaxSize(0) {}
  ~CPtrArray();
  CPtrArray(const CPtrArray&) = delete;
  CPtrArray& operator=(const CPtrArray&) = delete;

  int GetSize() const { return m_nSize; }
  void* operator[](int nIndex) const { return m_pData[nIndex]; }
  int Add(void* p);
  void RemoveAll();

private:
  void** m_pData;
  int m_nSize;
  int m_nMaxSize;
};

class CPtrList
{
public:
  explicit CPtrList(int nBlockSize = 10);
  ~CPtrList();
  CPtrList(const CPtrList&) = delete;
  CPtrList& operator=(const CPtrList&) = delete;

  int GetCount() const { return m_nCount; }
  bool IsEmpty() const { return m_nCount == 0; }
  POSITION AddTail(void* p);
  POSITION GetHeadPosition() const { return reinterpret_cast<POSITION>(m_pHead); }
  void*& GetNext(POSITION& pos);
  POSITION Find(void* p) const;
  void RemoveAt(POSITION pos);
  void RemoveAll();

private:
  struct Node
  {
    Node* pNext;
    Node* pPrev;
    void* data;
  };
  struct Block
  {
    Block* pNext;
  };
  Node* NewNode();

  Node* m_pHead;
  Node* m_pTail;
  Node* m_pFree;
  Block* m_pBlocks;
  int m_nCount;
  int m_nBlockSize;
};
