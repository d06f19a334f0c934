#pragma once

#include "core/edit/PenRecords.h"
#include "core/platform/Image8.h"
#include "core/views/CBitmapEdit.h"

#include <algorithm>
#include <cstdint>

namespace tavrin {

// The event of a mouse step at (x, y): the drag rectangle spans the start point and (x, y);
// area is the edit area (right and bottom exclusive). Inline: the edit view uses the pens
// through this header alone.
inline PenEvent MakePenEvent(int button, int x, int y, int startX, int startY, int prevX, int prevY,
                             const PixelRect& area) {
    PenEvent e;
    e.button = button;
    e.x = x;
    e.y = y;
    e.left = std::min(startX, x);
    e.top = std::min(startY, y);
    e.right = std::max(startX, x);
    e.bottom = std::max(startY, y);
    e.startX = startX;
    e.startY = startY;
    e.prevX = prevX;
    e.prevY = prevY;
    e.viewLeft = area.left;
    e.viewTop = area.top;
    e.viewRight = area.right;
    e.viewBottom = area.bottom;
    return e;
}

// A drawing tool of the edit view. Draw gets the image chosen by GetInfo().mode, the current
// colour byte (which a colour pick replaces), the result flags and the event. The base Draw
// is the colour pick every pen does with the right button.
class CPen {
public:
    virtual ~CPen() = default;
    const PenInfo* GetInfo() const { return &m_info; }
    virtual void Draw(Image8& image, uint8_t& colour, PenResult& result, const PenEvent& event);

protected:
    // mode 0 and the name (UTF-8, stored as cp932, cut to the record's 39 bytes).
    explicit CPen(const char* utf8Name);

private:
    PenInfo m_info;
};

// The stamp: draws nothing, the edit view copies regions while it is current.
class CPen0 final : public CPen {
public:
    CPen0();
    void Draw(Image8& image, uint8_t& colour, PenResult& result, const PenEvent& event) override;
};

// Freehand: a line from the previous point, committed at every event.
class CPen1 final : public CPen {
public:
    CPen1();
    void Draw(Image8& image, uint8_t& colour, PenResult& result, const PenEvent& event) override;
};

// Freehand on the even checker squares of the image.
class CPen2 final : public CPen {
public:
    CPen2();
    void Draw(Image8& image, uint8_t& colour, PenResult& result, const PenEvent& event) override;
};

// A straight line from the press point.
class CPen3 final : public CPen {
public:
    CPen3();
    void Draw(Image8& image, uint8_t& colour, PenResult& result, const PenEvent& event) override;
};

// Filled rectangle.
class CPen4 final : public CPen {
public:
    CPen4();
    void Draw(Image8& image, uint8_t& colour, PenResult& result, const PenEvent& event) override;
};

// Checkered rectangle; its top-left corner is always set.
class CPen5 final : public CPen {
public:
    CPen5();
    void Draw(Image8& image, uint8_t& colour, PenResult& result, const PenEvent& event) override;
};

// Rectangle outline.
class CPen6 final : public CPen {
public:
    CPen6();
    void Draw(Image8& image, uint8_t& colour, PenResult& result, const PenEvent& event) override;
};

// Filled ellipse.
class CPen7 final : public CPen {
public:
    CPen7();
    void Draw(Image8& image, uint8_t& colour, PenResult& result, const PenEvent& event) override;
};

// Ellipse outline.
class CPen8 final : public CPen {
public:
    CPen8();
    void Draw(Image8& image, uint8_t& colour, PenResult& result, const PenEvent& event) override;
};

// Flood fill that never leaves the edit area.
class CPen9 final : public CPen {
public:
    CPen9();
    void Draw(Image8& image, uint8_t& colour, PenResult& result, const PenEvent& event) override;
};

} // namespace tavrin
