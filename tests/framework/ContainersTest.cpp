#include <gtest/gtest.h>

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
