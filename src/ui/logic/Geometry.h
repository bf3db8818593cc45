// Plain geometry for the window-free logic of the windows: pixel points, sizes and rectangles
// with the platform's conventions (right and bottom edges lie outside the rectangle).
#pragma once

namespace ui {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }
    friend bool operator!=(const Point& a, const Point& b) { return !(a == b); }
};

struct Size {
    int width = 0;
    int height = 0;
    bool isEmpty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const Size& a, const Size& b) { return a.width == b.width && a.height == b.height; }
    friend bool operator!=(const Size& a, const Size& b) { return !(a == b); }
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static Rect fromPointSize(Point p, Size s) { return {p.x, p.y, p.x + s.width, p.y + s.height}; }
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    Point topLeft() const { return {left, top}; }
    Size size() const { return {width(), height()}; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    // Left and top edges inside, right and bottom edges outside.
    bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    friend bool operator==(const Rect& a, const Rect& b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    friend bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }
};

} // namespace ui
