#pragma once
// The framework's growable arrays. An index or count outside the array throws std::out_of_range
// (the framework only asserts, then writes past the end).

#include "platform/base/SizeTypes.h"
#include "platform/base/WinTypes.h"

#include <stdexcept>
#include <type_traits>
#include <vector>

template <class TYPE, class ARG_TYPE = const TYPE&> class CArray
{
    static_assert(!std::is_same_v<TYPE, bool>, "use BOOL: GetData needs contiguous elements");

public:
    CArray() = default;
    virtual ~CArray() = default;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_data.empty() ? TRUE : FALSE; }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }

    // nGrowBy is a growth hint only.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        if (nNewSize < 0)
            throw std::out_of_range("CArray::SetSize");
        m_data.resize(static_cast<std::size_t>(nNewSize));
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { m_data.clear(); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_data[Check(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_data[Check(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data[Check(nIndex)] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return m_data[Check(nIndex)]; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_data[Check(nIndex)]; }
    const TYPE& operator[](INT_PTR nIndex) const { return m_data[Check(nIndex)]; }
    TYPE& operator[](INT_PTR nIndex) { return m_data[Check(nIndex)]; }

    // NULL when empty, as the framework's array has no block then.
    const TYPE* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }
    TYPE* GetData() { return m_data.empty() ? nullptr : m_data.data(); }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        if (nIndex < 0)
            throw std::out_of_range("CArray::SetAtGrow");
        TYPE value(newElement); // may be an element of this array: copy before growing
        if (static_cast<std::size_t>(nIndex) >= m_data.size())
            m_data.resize(static_cast<std::size_t>(nIndex) + 1);
        m_data[static_cast<std::size_t>(nIndex)] = std::move(value);
    }

    INT_PTR Add(ARG_TYPE newElement)
    {
        m_data.push_back(newElement);
        return GetSize() - 1;
    }

    // Returns the index of the first appended element.
    INT_PTR Append(const CArray& src)
    {
        const INT_PTR first = GetSize();
        if (&src == this)
        {
            const std::vector<TYPE> copy(m_data);
            m_data.insert(m_data.end(), copy.begin(), copy.end());
        }
        else
            m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
        return first;
    }

    void Copy(const CArray& src)
    {
        if (&src != this)
            m_data = src.m_data;
    }

    // An index past the end grows the array to it first, as the framework does.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0)
            throw std::out_of_range("CArray::InsertAt");
        TYPE value(newElement);
        if (static_cast<std::size_t>(nIndex) > m_data.size())
            m_data.resize(static_cast<std::size_t>(nIndex));
        m_data.insert(m_data.begin() + nIndex, static_cast<std::size_t>(nCount), value);
    }

    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
    {
        if (pNewArray == nullptr || nStartIndex < 0)
            throw std::out_of_range("CArray::InsertAt");
        const std::vector<TYPE> copy(pNewArray->m_data);
        if (static_cast<std::size_t>(nStartIndex) > m_data.size())
            m_data.resize(static_cast<std::size_t>(nStartIndex));
        m_data.insert(m_data.begin() + nStartIndex, copy.begin(), copy.end());
    }

    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0 || nIndex > GetSize() - nCount)
            throw std::out_of_range("CArray::RemoveAt");
        m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
    }

private:
    std::size_t Check(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= GetSize())
            throw std::out_of_range("CArray index");
        return static_cast<std::size_t>(nIndex);
    }

    std::vector<TYPE> m_data;
};

class CPtrArray : public CArray<void*, void*>
{
};

class CDWordArray : public CArray<DWORD, DWORD>
{
};

class CWordArray : public CArray<WORD, WORD>
{
};

class CByteArray : public CArray<BYTE, BYTE>
{
};

class CUIntArray : public CArray<UINT, UINT>
{
};
