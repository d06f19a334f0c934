#include "core/edit/CPen.h"

#include "core/platform/Text.h"

#include "core/platform/Cp932.h"
#include "core/views/CBitmapEdit.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace tavrin {

namespace {

// The inclusive drag rectangle as a box that excludes its right and bottom edges.
PixelRect DragBox(const PenEvent& e) {
    return {e.left, e.top, e.right + 1, e.bottom + 1};
}

} // namespace

CPen::CPen(const char* utf8Name) {
    const std::string name = Utf8ToCp932(utf8Name);
    std::memcpy(m_info.name, name.data(), std::min(name.size(), sizeof m_info.name - 1));
}

void CPen::Draw(Image8& image, uint8_t& colour, PenResult& result, const PenEvent& event) {
    if (event.button != 2)
        return;
    colour = image.Pixel(event.x, event.y);
    result.picked = 1;
}

CPen0::CPen0() : CPen(TAVRIN_TR_NOOP("Pens", "スタンプ")) {}

void CPen0::Draw(Image8& image, uint8_t& colour, PenResult& result, const PenEvent& event) {
    if (event.button == 1)
        result.redraw = 1;
    CPen::Draw(image, colour, result, event);
}

CPen1::CPen1() : CPen(TAVRIN_TR_NOOP("Pens", "ペン")) {}

void CPen1::Draw(Image8& image, uint8_t& colour, PenResult& result, const PenEvent& event) {
    if (event.button == 1) {
        CBitmapEdit::Line(image, event.prevX, event.prevY, event.x, event.y, colour);
        CBitmapEdit::SetPixel(image, event.x, event.y, colour);
        result.redraw = 1;
        result.commit = 1;
    }
    CPen::Draw(image, colour, result, event);
}

CPen2::CPen2() : CPen(TAVRIN_TR_NOOP("Pens", "ペン(市松)")) {}

void CPen2::Draw(Image8& image, uint8_t& colour, PenResult& result, const PenEvent& event) {
    if (event.button == 1 && (event.x + event.y) % 2 == 0) {
        CBitmapEdit::SetPixel(image, event.x, event.y, colour);
        result.redraw = 1;
        result.commit = 1;
    }
    CPen::Draw(image, colour, result, event);
}

CPen3::CPen3() : CPen(TAVRIN_TR_NOOP("Pens", "線")) {}

void CPen3::Draw(Image8& image, uint8_t& colour, PenResult& result, const PenEvent& event) {
    if (event.button == 1) {
        CBitmapEdit::Line(image, event.startX, event.startY, event.x, event.y, colour);
        CBitmapEdit::SetPixel(image, event.x, event.y, colour);
        result.redraw = 1;
    }
    CPen::Draw(image, colour, result, event);
}

CPen4::CPen4() : CPen(TAVRIN_TR_NOOP("Pens", "長方形(塗り)")) {}

void CPen4::Draw(Image8& image, uint8_t& colour, PenResult& result, const PenEvent& event) {
    if (event.button == 1) {
        CBitmapEdit::FillBox(image, DragBox(event), colour);
        result.redraw = 1;
        result.showRect = 1;
    }
    CPen::Draw(image, colour, result, event);
}

CPen5::CPen5() : CPen(TAVRIN_TR_NOOP("Pens", "長方形(市松)")) {}

void CPen5::Draw(Image8& image, uint8_t& colour, PenResult& result, const PenEvent& event) {
    if (event.button == 1) {
        for (int i = 0; i <= event.bottom - event.top; ++i)
            for (int j = i % 2; j <= event.right - event.left; j += 2)
                CBitmapEdit::SetPixel(image, event.left + j, event.top + i, colour);
        result.redraw = 1;
        result.showRect = 1;
    }
    CPen::Draw(image, colour, result, event);
}

CPen6::CPen6() : CPen(TAVRIN_TR_NOOP("Pens", "長方形(線)")) {}

void CPen6::Draw(Image8& image, uint8_t& colour, PenResult& result, const PenEvent& event) {
    if (event.button == 1) {
        CBitmapEdit::BoxOutline(image, DragBox(event), colour);
        CBitmapEdit::SetPixel(image, event.x, event.y, colour);
        result.redraw = 1;
        result.showRect = 1;
    }
    CPen::Draw(image, colour, result, event);
}

CPen7::CPen7() : CPen(TAVRIN_TR_NOOP("Pens", "円(塗り)")) {}

void CPen7::Draw(Image8& image, uint8_t& colour, PenResult& result, const PenEvent& event) {
    if (event.button == 1) {
        CBitmapEdit::FillEllipse(image, DragBox(event), colour);
        result.redraw = 1;
        result.showRect = 1;
    }
    CPen::Draw(image, colour, result, event);
}

CPen8::CPen8() : CPen(TAVRIN_TR_NOOP("Pens", "円(線)")) {}

void CPen8::Draw(Image8& image, uint8_t& colour, PenResult& result, const PenEvent& event) {
    if (event.button == 1) {
        CBitmapEdit::EllipseOutline(image, DragBox(event), colour);
        result.redraw = 1;
        result.showRect = 1;
    }
    CPen::Draw(image, colour, result, event);
}

CPen9::CPen9() : CPen(TAVRIN_TR_NOOP("Pens", "塗り潰し")) {}

void CPen9::Draw(Image8& image, uint8_t& colour, PenResult& result, const PenEvent& event) {
    if (event.button == 1) {
        // A frame in the fill colour just outside the edit area stops the fill there; only the
        // edit area reaches the tile image, so the frame never shows.
        const int l = event.viewLeft - 1;
        const int t = event.viewTop - 1;
        const int r = event.viewRight;
        const int b = event.viewBottom;
        CBitmapEdit::FillBox(image, {l, t, r + 1, t + 1}, colour);
        CBitmapEdit::FillBox(image, {l, b, r + 1, b + 1}, colour);
        CBitmapEdit::FillBox(image, {l, t, l + 1, b + 1}, colour);
        CBitmapEdit::FillBox(image, {r, t, r + 1, b + 1}, colour);
        CBitmapEdit::FloodFill(image, event.x, event.y, colour);
        result.redraw = 1;
    }
    CPen::Draw(image, colour, result, event);
}

} // namespace tavrin
