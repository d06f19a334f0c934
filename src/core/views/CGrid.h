#pragma once

#include "core/views/CBitmapEdit.h"

#include <array>

namespace tavrin {

// The grid's three dash patterns and the one in use. It is also a toolbox, so a view that owns
// a grid draws its lines with it.
class CGrid : public CBitmapEdit {
public:
    static constexpr int PatternCount = 3;

    // Pattern 0 dotted (on, off, on, off), 1 dashed (on, on, off, off), 2 solid.
    static const DashPattern& Pattern(int index);

    // Makes pattern index current when 0 <= index < 3, otherwise keeps the current one;
    // returns the current pattern.
    const DashPattern& SelectPattern(int index);
    const DashPattern& CurrentPattern() const { return Pattern(m_current); }
    int CurrentIndex() const { return m_current; }

private:
    int m_current = 0;
};

} // namespace tavrin
