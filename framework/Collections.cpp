#include "framework/Collections.h"

#include <new>
#include <stdlib.h>

CPtrArray::~CPtrArray() { free(m_pData); }

int CPtrArray::Add(void* p)
{
  if (m_nSize == m_nMaxSize) {
    int grow = m_nSize / 8 < 4 ? 4 : (m_nSize / 8 > 1024 ? 1024 : m_nSize / 8);
    void** pNew = static_cast<void**>(realloc(m_pData, sizeof(void*) * (size_t)(m_nMaxSize + grow)));
    if (!pNew)
      throw std::bad_alloc();
    m_pData = pNew;
    m_nMaxSize += grow;
  }
  m_pData[m_nSize] = p;
  return m_nSize++;
}

void CPtrArray::RemoveAll()
{
  free(m_pData);
  m_pData = NULL;
  m_nSize = m_nMaxSize = 0;
}

CPtrList::CPtrList(int nBlockSize)
    : m_pHead(NULL), m_pTail(NULL), m_pFree(NULL), m_pBlocks(NULL), m_nCount(0),
      m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10)
{}

CPtrList::~CPtrList() { RemoveAll(); }

CPtrList::Node* CPtrList::NewNode()
{
  if (!m_pFree) {
    // One allocation serves m_nBlockSize nodes; they go back to the free chain.
    Block* b = static_cast<Block*>(malloc(sizeof(Block) + sizeof(Node) * (size_t)m_nBlockSize));
    if (!b)
      throw std::bad_alloc();
    b->pNext = m_pBlocks;
    m_pBlocks = b;
    Node* nodes = reinterpret_cast<Node*>(b + 1);
    for (int i = m_nBlockSize - 1; i >= 0; --i) {
      nodes[i].pNext = m_pFree;
      m_pFree = &nodes[i];
    }
  }
  Node* n = m_pFree;
  m_pFree = n->pNext;
  return n;
}

POSITION CPtrList::AddTail(void* p)
{
  Node* n = NewNode();
  n->data = p;
  n->pNext = NULL;
  n->pPrev = m_pTail;
  if (m_pTail)
    m_pTail->pNext = n;
  else
    m_pHead = n;
  m_pTail = n;
  ++m_nCount;
  return reinterpret_cast<POSITION>(n);
}

void*& CPtrList::GetNext(POSITION& pos)
{
  Node* n = reinterpret_cast<Node*>(pos);
  pos = reinterpret_cast<POSITION>(n->pNext);
  return n->data;
}

POSITION CPtrList::Find(void* p) const
{
  for (Node* n = m_pHead; n; n = n->pNext)
    if (n->data == p)
      return reinterpret_cast<POSITION>(n);
  return NULL;
}

void CPtrList::RemoveAt(POSITION pos)
{
  Node* n = reinterpret_cast<Node*>(pos);
  if (n->pPrev)
    n->pPrev->pNext = n->pNext;
  else
    m_pHead = n->pNext;
  if (n->pNext)
    n->pNext->pPrev = n->pPrev;
  else
    m_pTail = n->pPrev;
  n->pNext = m_pFree;
  m_pFree = n;
  if (--m_nCount == 0)
    RemoveAll();  // like the framework's list: the blocks go when it empties
}

void CPtrList::RemoveAll()
{
  while (m_pBlocks) {
    Block* next = m_pBlocks->pNext;
    free(m_pBlocks);
    m_pBlocks = next;
  }
  m_pHead = m_pTail = m_pFree = NULL;
  m_nCount = 0;
}
