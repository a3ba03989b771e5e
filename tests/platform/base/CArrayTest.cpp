#include "platform/base/CArray.h"
#include "platform/base/CStringArray.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace
{

template <class A> std::vector<int> Items(const A& a)
{
    std::vector<int> v;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        v.push_back(static_cast<int>(a[i]));
    return v;
}

using Ints = std::vector<int>;

TEST(CArray, AddInsertRemove)
{
    CArray<int, int> a;
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a.GetData(), nullptr);
    EXPECT_EQ(a.GetUpperBound(), -1);
    EXPECT_EQ(a.Add(10), 0);
    EXPECT_EQ(a.Add(30), 1);
    a.InsertAt(1, 20);
    a.InsertAt(0, 5, 2);
    EXPECT_EQ(Items(a), (Ints{5, 5, 10, 20, 30}));
    a.InsertAt(7, 99); // past the end: grows with default elements first
    EXPECT_EQ(Items(a), (Ints{5, 5, 10, 20, 30, 0, 0, 99}));
    a.RemoveAt(5, 3);
    a.RemoveAt(0);
    EXPECT_EQ(Items(a), (Ints{5, 10, 20, 30}));
    EXPECT_EQ(a.GetCount(), 4);
    EXPECT_EQ(a.GetUpperBound(), 3);
    a.SetAt(0, 1);
    a.ElementAt(1) = 2;
    a[2] = 3;
    a.GetData()[3] = 4;
    EXPECT_EQ(Items(a), (Ints{1, 2, 3, 4}));
    a.RemoveAt(0, 0);
    EXPECT_EQ(a.GetSize(), 4);
    a.RemoveAll();
    EXPECT_TRUE(a.IsEmpty());
}

TEST(CArray, OutOfRangeThrowsAndLeavesTheArrayAsItWas)
{
    CDWordArray a;
    a.Add(1);
    a.Add(2);
    EXPECT_THROW(a.GetAt(2), std::out_of_range);
    EXPECT_THROW(a[-1], std::out_of_range);
    EXPECT_THROW(a.SetAt(5, 0), std::out_of_range);
    EXPECT_THROW(a.RemoveAt(1, 2), std::out_of_range);
    EXPECT_THROW(a.RemoveAt(-1), std::out_of_range);
    EXPECT_THROW(a.RemoveAt(0, -1), std::out_of_range);
    EXPECT_THROW(a.InsertAt(-1, DWORD{0}), std::out_of_range);
    EXPECT_THROW(a.SetSize(-1), std::out_of_range);
    EXPECT_EQ(Items(a), (Ints{1, 2}));
}

TEST(CArray, SizeAppendCopyAndSelfReferences)
{
    CByteArray a;
    a.SetSize(3);
    EXPECT_EQ(Items(a), (Ints{0, 0, 0}));
    a.SetAtGrow(5, 7);
    EXPECT_EQ(Items(a), (Ints{0, 0, 0, 0, 0, 7}));
    a.SetSize(2);
    a[0] = 1;
    a[1] = 2;

    EXPECT_EQ(a.Append(a), 2);
    EXPECT_EQ(Items(a), (Ints{1, 2, 1, 2}));
    CByteArray b;
    b.Copy(a);
    b.Copy(b);
    EXPECT_EQ(Items(b), (Ints{1, 2, 1, 2}));
    b.InsertAt(1, &a);
    EXPECT_EQ(Items(b), (Ints{1, 1, 2, 1, 2, 2, 1, 2}));

    // Elements passed by reference from the same array survive its growth.
    CArray<int> big;
    big.Add(42);
    for (int i = 0; i < 100; ++i)
        big.Add(big[0]);
    big.InsertAt(0, big[100], 50);
    big.SetAtGrow(1000, big[0]);
    EXPECT_EQ(big[0], 42);
    EXPECT_EQ(big[150], 42);
    EXPECT_EQ(big[1000], 42);
}

TEST(CArray, PointersAndStrings)
{
    int x = 0, y = 0;
    CPtrArray ptrs;
    ptrs.Add(&x);
    ptrs.Add(&y);
    EXPECT_EQ(ptrs[1], &y);

    CStringArray names;
    names.Add("PROF1");
    names.Add(CString("PROF10"));
    names.InsertAt(0, "Config");
    EXPECT_EQ(names.GetSize(), 3);
    EXPECT_EQ(names[0], "Config");
    EXPECT_EQ(names.GetAt(2), "PROF10");
    names[1] += "!";
    EXPECT_EQ(names[1], "PROF1!");
    names.RemoveAt(0);
    EXPECT_EQ(names[0], "PROF1!");
}

} // namespace
