#include "core/set/SetComposer.h"

#include "core/set/SetImage.h"
#include "core/set/SetPictures.h"
#include "core/views/PaletteViewRules.h"

#include <algorithm>

namespace tavrin {

namespace {

int ButtonBit(int button) {
    return button >= ButtonLeft && button <= ButtonMiddle ? 1 << button : 0;
}

// The tile of ImageChr under a picture pixel. The picture is one pixel wider than its 16
// tiles; that last pixel still belongs to tile 15.
int ChrCell(int position) {
    return std::min(std::clamp(position, 0, ChrPictureSize - 1) / PictureCell, 15);
}

int SetCell(int position, int count) {
    return std::clamp(position < 0 ? 0 : position / PictureCell, 0, count - 1);
}

} // namespace

SetRedraw SetComposer::ImageChrMouseDown(int button, int x, int y) {
    m_chrMouse.buttons |= ButtonBit(button);
    if (button == ButtonRight) {
        m_chr.x1 = ChrCell(x);
        m_chr.y1 = ChrCell(y);
    }
    m_chrMouse.ResetLast();
    return Redraw(ChrMove(x, y));
}

SetRedraw SetComposer::ImageChrMouseMove(int x, int y) {
    return Redraw(ChrMove(x, y));
}

SetRedraw SetComposer::ImageChrMouseUp(int x, int y) {
    m_chrMouse.buttons = 0;
    SetRedraw r = ChrMove(x, y);
    m_chr = m_chr.Normalized();
    if (m_mode == SetMode::Type && m_set.IsSingleCell()) {
        // Typing: the cursor steps to the next cell, row by row, and wraps at the end.
        int cx = m_set.x2 + 1;
        int cy = m_set.y2;
        if (cx >= SetDocument::Columns)
            ++cy;
        m_set = CellSelection::Single(cx % SetDocument::Columns, cy % SetDocument::Rows);
        r.set = true;
    }
    r.chr = true;
    return Redraw(r);
}

SetRedraw SetComposer::ChrMove(int x, int y) {
    const int column = ChrCell(x);
    const int row = ChrCell(y);
    const bool left = m_chrMouse.Held(ButtonLeft);
    const bool right = m_chrMouse.Held(ButtonRight);
    if (left)
        m_chr = CellSelection::Single(column, row);
    if (right) {
        m_chr.x2 = column;
        m_chr.y2 = row;
    }
    SetRedraw r;
    if (!m_chrMouse.Moved(column, row))
        return r;
    // Passing over the tiles without a button changes nothing in the set.
    if (left || right) {
        if (m_mode == SetMode::Type) {
            m_doc.Fill(m_set, m_chr);
            m_doc.ApplyPaletteOver(m_set, static_cast<uint8_t>(m_palValue), m_nesRule);
            r.set = true;
        } else if (m_mode == SetMode::Sprite) {
            Sprite s = m_doc.GetSprite(m_sprite);
            s.tile = static_cast<uint8_t>(m_chr.y1 * 16 + m_chr.x1);
            m_doc.SetSprite(m_sprite, s);
            SetSpritePalette(m_palColumn);
            r.set = true;
        }
    }
    r.chr = true;
    return r;
}

SetRedraw SetComposer::ImageSetMouseDown(int button, int x, int y) {
    m_setMouse.buttons |= ButtonBit(button);
    if (m_mode == SetMode::Type && button == ButtonRight) {
        m_set.x1 = SetCell(x, SetDocument::Columns);
        m_set.y1 = SetCell(y, SetDocument::Rows);
    }
    m_setMouse.ResetLast();
    return Redraw(SetMove(x, y));
}

SetRedraw SetComposer::ImageSetMouseMove(int x, int y) {
    return Redraw(SetMove(x, y));
}

SetRedraw SetComposer::ImageSetMouseUp(int x, int y) {
    m_setMouse.buttons = 0;
    SetRedraw r = SetMove(x, y);
    m_set = m_set.Normalized();
    r.set = true;
    return Redraw(r);
}

SetRedraw SetComposer::SetMove(int x, int y) {
    const int cx = SetCell(x, SetDocument::Columns);
    const int cy = SetCell(y, SetDocument::Rows);
    const bool changed = m_setMouse.Moved(cx, cy);
    SetRedraw r;
    if (m_setMouse.Held(ButtonLeft)) {
        m_set = CellSelection::Single(cx, cy);
        if (changed) {
            if (m_mode == SetMode::Draw) {
                m_doc.Stamp(m_chr, cx, cy);
                m_doc.ApplyPalette(cx, cy, static_cast<uint8_t>(m_palValue), m_nesRule);
            }
            r.set = true;
        }
    }
    if (m_setMouse.Held(ButtonRight)) {
        if (m_mode == SetMode::Draw) {
            // Pick: the cell's tile and palette become the ones drawn with.
            m_set.x1 = cx;
            m_set.y1 = cy;
            const int t = m_doc.Name(cx, cy);
            m_chr = CellSelection::Single(t % 16, t / 16);
            m_palValue = m_doc.Palette(cx, cy);
            m_palColumn = m_palValue & 15;
            m_palRow = m_palValue >> 4;
            r.chr = true;
            r.pal = true;
        } else if (m_mode == SetMode::Type) {
            m_set.x2 = cx;
            m_set.y2 = cy;
            r.set = r.set || changed;
        }
    }
    return r;
}

SetRedraw SetComposer::ImagePalMouseDown(int button, int x, int y) {
    m_palMouse.buttons |= ButtonBit(button);
    if (button == ButtonRight) {
        // No group framed; the value drawn with stays.
        m_palColumn = -1;
        m_palRow = -1;
    }
    m_palMouse.ResetLast();
    return Redraw(PalMove(x, y));
}

SetRedraw SetComposer::ImagePalMouseMove(int x, int y) {
    return Redraw(PalMove(x, y));
}

SetRedraw SetComposer::ImagePalMouseUp(int x, int y) {
    m_palMouse.buttons = 0;
    SetRedraw r = PalMove(x, y);
    r.pal = true;
    return Redraw(r);
}

SetRedraw SetComposer::PalMove(int x, int y) {
    if (!m_palMouse.Held(ButtonLeft))
        return {};
    // A drag leaving the strip keeps to its edge: the mouse chooses groups 0-15 of row 0.
    int column = std::clamp(x, 0, PalPictureWidth - 1) / PictureCell;
    const int row = std::clamp(y, 0, PalPictureHeight - 1) / PictureCell;
    if (m_mode == SetMode::Sprite)
        column = std::clamp(column, 4, 7);
    m_palColumn = column;
    m_palRow = row;
    SetRedraw r;
    if (!m_palMouse.Moved(column, row))
        return r;
    m_palValue = row * 16 + column;
    RecolourImage(m_tileSource, m_palValue);
    if (m_mode == SetMode::Type) {
        m_doc.ApplyPaletteOver(m_set, static_cast<uint8_t>(m_palValue), m_nesRule);
        r.set = true;
    } else if (m_mode == SetMode::Sprite) {
        SetSpritePalette(m_palValue);
        RecolourImage(m_spriteTiles, m_palValue);
        r.set = true;
    }
    r.pal = true;
    r.chr = true;
    return r;
}

} // namespace tavrin
