#include <gtest/gtest.h>
#include <stdlib.h>

#include <vector>

#include "framework/Collections.h"
#include "framework/Exception.h"

TEST(CPtrList, AddsFindsAndRemovesAcrossBlocks)
{
  CPtrList list(3);
  int values[10];
  for (int& v : values)
    list.AddTail(&v);
  EXPECT_EQ(10, list.GetCount());
  POSITION pos = list.Find(&values[4]);
  ASSERT_NE(nullptr, pos);
  list.RemoveAt(pos);
  EXPECT_EQ(nullptr, list.Find(&values[4]));
  EXPECT_EQ(nullptr, list.Find(nullptr));

  int seen = 0;
  for (POSITION p = list.GetHeadPosition(); p;) {
    void* v = list.GetNext(p);
    EXPECT_NE(&values[4], v);
    ++seen;
  }
  EXPECT_EQ(9, seen);
  for (int& v : values)
    if (POSITION p = list.Find(&v))
      list.RemoveAt(p);
  EXPECT_TRUE(list.IsEmpty());
  list.AddTail(&values[0]);  // usable again after emptying
  EXPECT_EQ(&values[0], list.GetNext(pos = list.GetHeadPosition()));
}

TEST(CPtrArray, KeepsOrder)
{
  CPtrArray a;
  int values[100];
  for (int& v : values)
    a.Add(&v);
  ASSERT_EQ(100, a.GetSize());
  EXPECT_EQ(&values[57], a[57]);
  a.RemoveAll();
  EXPECT_EQ(0, a.GetSize());
}

TEST(CException, RuntimeClassesChainToTheirBases)
{
  CFileException* e = new CFileException(CFileException::accessDenied, 5, "x");
  EXPECT_STREQ("CFileException", e->GetRuntimeClass()->m_lpszClassName);
  EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
  EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(CException().IsKindOf(RUNTIME_CLASS(CFileException)));
  e->Delete();
}

// Room comes by doubling from the first capacity; a capacity whose double
// would wrap is refused and the array stays as it was.
TEST(MakeRoomByDoubling, DoublesFromTheFirstCapacityAndRefusesAWrappingOne)
{
  int* pList = nullptr;
  int32_t nCapacity = 0;
  std::vector<int32_t> capacities;
  for (int32_t nCount = 0; nCount < 9; ++nCount) {
    ASSERT_TRUE(MakeRoomByDoubling(pList, nCount, nCapacity, 2));
    pList[nCount] = nCount;
    capacities.push_back(nCapacity);
  }
  EXPECT_EQ((std::vector<int32_t>{2, 2, 4, 4, 8, 8, 8, 8, 16}), capacities);
  EXPECT_EQ(8, pList[8]);

  int* pKept = pList;
  int32_t nHuge = INT32_MAX / 2 + 1;
  EXPECT_FALSE(MakeRoomByDoubling(pList, nHuge, nHuge, 2));
  EXPECT_EQ(pKept, pList);
  EXPECT_EQ(INT32_MAX / 2 + 1, nHuge);
  free(pList);
}
