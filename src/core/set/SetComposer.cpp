#include "core/set/SetComposer.h"

#include "core/set/SetFiles.h"
#include "core/set/SetImage.h"
#include "core/set/SetPictures.h"

#include <algorithm>

namespace tavrin {

bool SetComposer::MouseState::Moved(int x, int y) {
    const bool moved = x != lastX || y != lastY;
    lastX = x;
    lastY = y;
    return moved;
}

SetComposer::SetComposer()
    : m_tileSource(SourceImageSize, SourceImageSize),
      m_spriteTiles(SourceImageSize, SourceImageSize) {
    RedrawAll();
}

SetRedraw SetComposer::SetTileSource(const Image8& tileImage,
                                     const Image8::Palette& displayPalette) {
    m_tileSource.Fill(0);
    m_tileSource.CopyRect(tileImage, 0, 0, SourceImageSize, SourceImageSize, 0, 0);
    m_tileSource.Colours() = displayPalette;
    return RedrawAll();
}

SetRedraw SetComposer::ChooseMode(SetMode mode) {
    m_mode = mode;
    m_set = CellSelection::Single(m_set.x1, m_set.y1);
    if (mode == SetMode::Sprite) {
        // Sprites use palette groups 4-7.
        m_palColumn = std::clamp(m_palColumn, 4, 7);
        m_spriteTiles.Colours() = m_tileSource.Colours();
        RecolourImage(m_spriteTiles, m_palColumn);
    }
    return RedrawAll();
}

SetRedraw SetComposer::SelectAll() {
    m_set = {0, 0, SetDocument::Columns - 1, SetDocument::Rows - 1};
    return Redraw({.set = true});
}

SetRedraw SetComposer::SetNesPaletteRule(bool on) {
    m_nesRule = on;
    return Redraw({.set = true});
}

SetRedraw SetComposer::SetGridChr(bool on) {
    m_gridChr = on;
    return Redraw({.chr = true});
}

SetRedraw SetComposer::SetGridBG(bool on) {
    m_gridBG = on;
    return Redraw({.set = true});
}

SetRedraw SetComposer::SetShowSprites(bool on) {
    m_showSprites = on;
    return Redraw({.set = true});
}

SetRedraw SetComposer::Key(SetKey key) {
    switch (m_mode) {
    case SetMode::Draw:
        return Redraw(DrawModeKey(key));
    case SetMode::Type:
        return Redraw(TypeModeKey(key));
    case SetMode::Sprite:
        return Redraw(SpriteModeKey(key));
    }
    return {};
}

SetRedraw SetComposer::DrawModeKey(SetKey key) {
    int column = m_chr.x1;
    int row = m_chr.y1;
    switch (key) {
    case SetKey::Left:
        column = std::max(column - 1, 0);
        break;
    case SetKey::Right:
        column = std::min(column + 1, 15);
        break;
    case SetKey::Up:
        row = std::max(row - 1, 0);
        break;
    case SetKey::Down:
        row = std::min(row + 1, 15);
        break;
    case SetKey::Home:
        column = 0;
        break;
    case SetKey::End:
        column = 15;
        break;
    case SetKey::PageUp:
        row = 0;
        break;
    case SetKey::PageDown:
        row = 15;
        break;
    case SetKey::Enter:
    case SetKey::Space:
        return {.chr = true};
    }
    m_chr = CellSelection::Single(column, row);
    return {.chr = true};
}

SetRedraw SetComposer::TypeModeKey(SetKey key) {
    constexpr int LastX = SetDocument::Columns - 1;
    constexpr int LastY = SetDocument::Rows - 1;
    int x = m_set.x1;
    int y = m_set.y1;
    switch (key) {
    case SetKey::Left:
        x = std::max(x - 1, 0);
        break;
    case SetKey::Right:
        x = std::min(x + 1, LastX);
        break;
    case SetKey::Up:
        y = std::max(y - 1, 0);
        break;
    case SetKey::Down:
        y = std::min(y + 1, LastY);
        break;
    case SetKey::Home:
        x = 0;
        break;
    case SetKey::End:
        x = LastX;
        break;
    case SetKey::PageUp:
        y = 0;
        break;
    case SetKey::PageDown:
        y = LastY;
        break;
    case SetKey::Enter:
        x = 0;
        y = (y + 1) % SetDocument::Rows;
        break;
    case SetKey::Space:
        if (x < LastX) {
            ++x;
        } else {
            x = 0;
            y = (y + 1) % SetDocument::Rows;
        }
        break;
    }
    m_set = CellSelection::Single(x, y);
    return {.set = true};
}

SetRedraw SetComposer::SpriteModeKey(SetKey key) {
    Sprite s = m_doc.GetSprite(m_sprite);
    switch (key) {
    case SetKey::Left:
        s.x = static_cast<uint8_t>(std::max(s.x - 1, 0));
        break;
    case SetKey::Right:
        s.x = static_cast<uint8_t>(std::min(s.x + 1, 255));
        break;
    case SetKey::Up:
        s.y = static_cast<uint8_t>(std::max(s.y - 1, 0));
        break;
    case SetKey::Down:
        s.y = static_cast<uint8_t>(std::min(s.y + 1, 255));
        break;
    case SetKey::Home:
        m_sprite = 0;
        return {.chr = true, .set = true};
    case SetKey::End:
        m_sprite = SetDocument::SpriteCount - 1;
        return {.chr = true, .set = true};
    case SetKey::PageUp:
        m_sprite = (m_sprite + SetDocument::SpriteCount - 1) % SetDocument::SpriteCount;
        return {.chr = true, .set = true};
    case SetKey::PageDown:
        m_sprite = (m_sprite + 1) % SetDocument::SpriteCount;
        return {.chr = true, .set = true};
    case SetKey::Enter:
        s.tile = static_cast<uint8_t>(s.tile + 1);
        break;
    case SetKey::Space:
        s.attributes = static_cast<uint8_t>((s.attributes & ~3) | ((s.attributes + 1) & 3));
        break;
    }
    m_doc.SetSprite(m_sprite, s);
    return {.chr = true, .set = true};
}

void SetComposer::SetSpritePalette(int value) {
    Sprite s = m_doc.GetSprite(m_sprite);
    s.attributes = static_cast<uint8_t>((s.attributes & ~3) | (value & 3));
    m_doc.SetSprite(m_sprite, s);
}

SetFileResult SetComposer::LoadSetFile(const std::string& path) {
    SetFileResult result;
    result.file = tavrin::LoadSetFile(m_doc, path);
    result.redraw = Redraw({.set = true});
    return result;
}

SetFileResult SetComposer::SaveSetFile(const std::string& path, SetSaveFilter filter) {
    SetFileResult result = tavrin::SaveSetFile(m_doc, path, filter);
    result.redraw = Redraw({.set = true});
    return result;
}

SetFileResult SetComposer::SaveSnapshot(const std::string& path) {
    SetFileResult result;
    result.file = SaveSetImage(m_setImage, path);
    return result;
}

SetFileResult SetComposer::LoadSpriteTiles(const std::string& path) {
    SetFileResult result;
    if (!(result.file = tavrin::LoadSpriteTiles(m_doc, path)))
        return result;
    m_spriteTiles.Colours() = m_tileSource.Colours();
    DecodeSpriteTiles(m_doc.SpriteTileBytes().data(), m_spriteTiles);
    result.redraw = RedrawAll();
    return result;
}

SetFileResult SetComposer::LoadSpriteTable(const std::string& path) {
    SetFileResult result;
    m_lastSpdPath = path;
    if (!(result.file = tavrin::LoadSpriteTable(m_doc, path)))
        return result;
    m_showSprites = true;
    result.redraw = Redraw({.set = true});
    return result;
}

SetFileResult SetComposer::SaveSpriteTable(const std::string& path) {
    SetFileResult result;
    result.file = tavrin::SaveSpriteTable(m_doc, path);
    return result;
}

SetRedraw SetComposer::RedrawAll() {
    return Redraw(SetRedraw::All());
}

SetRedraw SetComposer::Redraw(SetRedraw what) {
    if (what.set)
        DrawSet();
    if (what.chr)
        DrawChr();
    if (what.pal)
        DrawPalPicture(m_tileSource.Colours(), m_palColumn, m_palRow, m_palPicture);
    return what;
}

void SetComposer::DrawSet() {
    DrawSetImage(m_doc, m_tileSource, m_showSprites ? &m_spriteTiles : nullptr, m_setImage);
    SetPictureOverlay overlay;
    overlay.grid = m_gridBG;
    if (m_mode == SetMode::Sprite && m_showSprites) {
        overlay.sprites = &m_doc;
        overlay.currentSprite = m_sprite;
    }
    if (m_mode == SetMode::Type)
        overlay.typeFrame = m_set;
    DrawSetPicture(m_setImage, overlay, m_setPicture);
}

void SetComposer::DrawChr() {
    if (m_mode != SetMode::Sprite) {
        const CellSelection frames[] = {m_chr};
        DrawChrPicture(m_tileSource, m_gridChr, frames, m_chrPicture);
        return;
    }
    // The sprite's two tiles are framed, and the CHR selection follows its upper tile.
    const int t = m_doc.GetSprite(m_sprite).tile;
    const int below = (t + 1) & 0xFF;
    const CellSelection frames[] = {CellSelection::Single(below % 16, below / 16),
                                    CellSelection::Single(t % 16, t / 16)};
    m_chr = frames[1];
    DrawChrPicture(m_spriteTiles, m_gridChr, frames, m_chrPicture);
}

} // namespace tavrin
