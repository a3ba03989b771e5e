#pragma once
// The framework's point, size and rectangle: the platform's records with arithmetic.

#include "platform/ui/UserTypes.h"
#include "platform/ui/gdi/GdiTypes.h"

class CSize : public SIZE
{
public:
    CSize() : SIZE{0, 0} {}
    CSize(int initCX, int initCY) : SIZE{initCX, initCY} {}
    CSize(SIZE initSize) : SIZE(initSize) {}
    bool operator==(const SIZE& other) const { return cx == other.cx && cy == other.cy; }
};

class CPoint : public POINT
{
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int initX, int initY) : POINT{initX, initY} {}
    CPoint(POINT initPt) : POINT(initPt) {}
    void Offset(int xOffset, int yOffset)
    {
        x += xOffset;
        y += yOffset;
    }
    bool operator==(const POINT& other) const { return x == other.x && y == other.y; }
};

class CRect : public RECT
{
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& srcRect) : RECT(srcRect) {}
    CRect(POINT topLeft, SIZE size)
        : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy}
    {
    }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
    BOOL IsRectEmpty() const { return (left >= right || top >= bottom) ? TRUE : FALSE; }
    BOOL IsRectNull() const
    {
        return (left == 0 && right == 0 && top == 0 && bottom == 0) ? TRUE : FALSE;
    }
    BOOL PtInRect(POINT point) const
    {
        return (point.x >= left && point.x < right && point.y >= top && point.y < bottom) ? TRUE
                                                                                          : FALSE;
    }
    void SetRect(int x1, int y1, int x2, int y2)
    {
        left = x1;
        top = y1;
        right = x2;
        bottom = y2;
    }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void OffsetRect(int x, int y)
    {
        left += x;
        right += x;
        top += y;
        bottom += y;
    }
    void OffsetRect(POINT point) { OffsetRect(point.x, point.y); }
    void InflateRect(int x, int y)
    {
        left -= x;
        right += x;
        top -= y;
        bottom += y;
    }
    void DeflateRect(int x, int y) { InflateRect(-x, -y); }
    void MoveToXY(int x, int y)
    {
        right += x - left;
        bottom += y - top;
        left = x;
        top = y;
    }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }
    bool operator==(const RECT& other) const
    {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
};
