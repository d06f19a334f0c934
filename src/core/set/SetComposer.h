#pragma once

#include "core/platform/Image8.h"
#include "core/set/SetDocument.h"
#include "core/set/SetRecords.h"

#include <string>

namespace tavrin {

// The set window's state and rules: the set data, the three modes, the CHR and SET
// selections, the palette strip's choice, the current sprite, the display options, the
// mouse on its three images, its keys and its files, and the pictures it shows. The window
// turns each event into one call here and repaints the pictures the returned SetRedraw names
// (ChrPicture(), SetPicture(), PalPicture()); every picture is already drawn when a call
// returns. Mouse coordinates are picture pixels; buttons are ButtonLeft, ButtonRight and
// ButtonMiddle of core/views/PaletteViewRules.h.
class SetComposer {
public:
    SetComposer();

    // Showing or activating the window: a copy of the main window's 128 x 128 tile image
    // (cut or padded with 0 to that size) in the display palette becomes the tile source.
    SetRedraw SetTileSource(const Image8& tileImage, const Image8::Palette& displayPalette);

    // ActModeSetChr, ActModeSelectChr, ActModeSprite.
    SetRedraw ChooseMode(SetMode mode);
    // ActEditAllSelect.
    SetRedraw SelectAll();
    // ActModeNES, ActViewGridChr, ActViewGridBG, ActViewSprite.
    SetRedraw SetNesPaletteRule(bool on);
    SetRedraw SetGridChr(bool on);
    SetRedraw SetGridBG(bool on);
    SetRedraw SetShowSprites(bool on);
    // ActKeyUp ... ActKeySpace.
    SetRedraw Key(SetKey key);

    // ImageChr (257 x 257).
    SetRedraw ImageChrMouseDown(int button, int x, int y);
    SetRedraw ImageChrMouseMove(int x, int y);
    SetRedraw ImageChrMouseUp(int x, int y);
    // ImageSet (512 x 480).
    SetRedraw ImageSetMouseDown(int button, int x, int y);
    SetRedraw ImageSetMouseMove(int x, int y);
    SetRedraw ImageSetMouseUp(int x, int y);
    // The palette strip ImagePal (256 x 16).
    SetRedraw ImagePalMouseDown(int button, int x, int y);
    SetRedraw ImagePalMouseMove(int x, int y);
    SetRedraw ImagePalMouseUp(int x, int y);

    // File actions, after the dialog's OK. result.file says whether the file was read or
    // written, and why not; result.redraw what to repaint (also after a failed set-file load or
    // save).
    SetFileResult LoadSetFile(const std::string& path);                       // ActFileLoadSet
    SetFileResult SaveSetFile(const std::string& path, SetSaveFilter filter); // ActFileSaveSet
    SetFileResult SaveSnapshot(const std::string& path);                      // ActFileSaveSnap
    SetFileResult LoadSpriteTiles(const std::string& path);                   // ActViewOpenSpr
    SetFileResult LoadSpriteTable(const std::string& path);                   // ActViewOpenSpd
    SetFileResult SaveSpriteTable(const std::string& path);                   // ActViewSaveSpd
    // The file name last chosen in the .spd open dialog, preset in the .spd save dialog.
    const std::string& LastSpdPath() const { return m_lastSpdPath; }

    // The set data. After changing it directly, call RedrawAll().
    const SetDocument& Document() const { return m_doc; }
    SetDocument& Document() { return m_doc; }
    SetRedraw RedrawAll();

    SetMode Mode() const { return m_mode; }
    // Tiles (column, row) of the tile source; in sprite mode the current sprite's tile.
    const CellSelection& ChrSelection() const { return m_chr; }
    // Cells; in TYPE mode the first corner is the typing cursor.
    const CellSelection& SetSelection() const { return m_set; }
    int PaletteColumn() const { return m_palColumn; }
    int PaletteRow() const { return m_palRow; }
    int PaletteValue() const { return m_palValue; }
    int CurrentSprite() const { return m_sprite; }
    bool NesPaletteRule() const { return m_nesRule; }
    bool GridChr() const { return m_gridChr; }
    bool GridBG() const { return m_gridBG; }
    // Also switched on by loading a sprite table.
    bool ShowSprites() const { return m_showSprites; }

    const Image8& TileSource() const { return m_tileSource; }
    const Image8& SpriteTileImage() const { return m_spriteTiles; }
    // 256 x 240, the composed screen as the bitmap saves it.
    const Image8& SetImage() const { return m_setImage; }
    const Image8& ChrPicture() const { return m_chrPicture; }
    const Image8& SetPicture() const { return m_setPicture; }
    const Image8& PalPicture() const { return m_palPicture; }

private:
    // Buttons held on one image and the last cell the mouse was seen on.
    struct MouseState {
        int buttons = 0;
        int lastX = -1;
        int lastY = -1;
        bool Held(int button) const { return (buttons & (1 << button)) != 0; }
        // Records the cell; true when it differs from the last one.
        bool Moved(int x, int y);
        void ResetLast() { lastX = lastY = -1; }
    };

    SetRedraw Redraw(SetRedraw what);
    void DrawChr();
    void DrawSet();

    SetRedraw ChrMove(int x, int y);
    SetRedraw SetMove(int x, int y);
    SetRedraw PalMove(int x, int y);
    SetRedraw DrawModeKey(SetKey key);
    SetRedraw TypeModeKey(SetKey key);
    SetRedraw SpriteModeKey(SetKey key);
    // Attribute bits 0-1 of the current sprite.
    void SetSpritePalette(int value);

    SetDocument m_doc;
    SetMode m_mode = SetMode::Draw;
    CellSelection m_chr;
    CellSelection m_set;
    int m_palColumn = 0;
    int m_palRow = 0;
    int m_palValue = 0;
    int m_sprite = 0;
    bool m_nesRule = true;
    bool m_gridChr = false;
    bool m_gridBG = false;
    bool m_showSprites = false;
    MouseState m_chrMouse;
    MouseState m_setMouse;
    MouseState m_palMouse;
    std::string m_lastSpdPath;

    Image8 m_tileSource;
    Image8 m_spriteTiles;
    Image8 m_setImage;
    Image8 m_chrPicture;
    Image8 m_setPicture;
    Image8 m_palPicture;
};

} // namespace tavrin
