// Pointer containers: a growable array and a doubly linked list whose nodes
// come from blocks of nBlockSize nodes. (Room in plain realloc'ed arrays:
// framework/os/ObjectArray.h.)
#pragma once
#include "framework/Platform.h"
#include "framework/os/ObjectArray.h"

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
