#pragma once

#include "core/platform/FileResult.h"
#include "core/platform/Text.h"

namespace tavrin {

// Small records shared by the set window's data, drawing and controller.

// The three modes, numbered as the mode actions' tags.
enum class SetMode { Draw = 0, Type = 1, Sprite = 2 };

// The keys of the window (ActKeyUp ... ActKeySpace).
enum class SetKey { Up, Down, Left, Right, Home, End, PageUp, PageDown, Enter, Space };

// The filters of the set-file save dialog, numbered as the dialog counts them.
enum class SetSaveFilter { Nam = 1, Set = 2, AllFiles = 3 };

// What a set file is read as, by its extension.
enum class SetFileKind { VirtuaNesState, Nam, Set };

// Two corners of a block of cells (x, y) or tiles (column, row); the first corner may lie
// below or right of the second while the mouse drags.
struct CellSelection {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;

    // First corner top left.
    CellSelection Normalized() const {
        return {x1 < x2 ? x1 : x2, y1 < y2 ? y1 : y2, x1 < x2 ? x2 : x1, y1 < y2 ? y2 : y1};
    }
    bool IsSingleCell() const { return x1 == x2 && y1 == y2; }
    static CellSelection Single(int x, int y) { return {x, y, x, y}; }
    bool operator==(const CellSelection&) const = default;
};

// The pictures a step changed; the window repaints these. ImageChr, ImageSet and the palette
// strip (ImagePal).
struct SetRedraw {
    bool chr = false;
    bool set = false;
    bool pal = false;

    static SetRedraw All() { return {true, true, true}; }
    SetRedraw& operator|=(const SetRedraw& other) {
        chr = chr || other.chr;
        set = set || other.set;
        pal = pal || other.pal;
        return *this;
    }
    bool operator==(const SetRedraw&) const = default;
};

// The outcome of a file action of the window.
struct SetFileResult {
    FileResult file;        // the read or the write: true when done, else why not
    bool converted = false; // NAM save: palette numbers above 3 were cut to two bits
    SetRedraw redraw;
};

// Shown after a NAM save that had to cut palette numbers to two bits.
inline constexpr const char* NamConversionMessage = TAVRIN_TR_NOOP(
    "SetFiles", "パレットセットは.NAM形式に合わせて2bit(0～3のみ)に変換されました。");

} // namespace tavrin
