#pragma once

#include "core/palette/files/PaletteTransfer.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavrin {

class CPalette;
class Image8;
struct FileResult;
enum class FileAction;

// The four image panels of the main window.
enum class Panel { None, Chr, Edit, Dat, Pal };

// The three scroll bars the Editor sets.
enum class ScrollBarId { Chr, Dat, Pal };

// A scroll bar's range in the classic terms: positions run from minimum to
// maximum - pageSize + 1, so the last page shows the last rows.
struct ScrollRange {
    int minimum = 0;
    int maximum = 0;
    int pageSize = 1;
    int smallChange = 1;
    int largeChange = 1;

    int MaxPosition() const {
        int top = maximum - pageSize + 1;
        return top < minimum ? minimum : top;
    }
    bool operator==(const ScrollRange&) const = default;
};

// Status bar panels: 0 address, 1 pattern, 2 pen name.
enum class StatusPanel { Address = 0, Pattern = 1, Pen = 2 };

// Controls whose tool tip the Editor sets (the panels name the files they show).
enum class HintTarget { DatPanel, PalPanel, PatternList };

// What the Editor asks of the main window, in three roles so that another window implements
// only the ones it uses. Nothing here may call back into the Editor.

// Painting and texts. The window paints the pictures the Editor owns (TileViewPicture(),
// EditViewPicture(), DatViewPicture(), PalViewPicture()), shows texts, and after
// CommandStatesChanged() or LayoutChanged() reads the Editor's queries again.
class PanelView {
public:
    virtual ~PanelView() = default;

    // Redraw steps that reach the screen: each picture has been redrawn by the Editor and
    // the panel repaints it (T, E, S, L). The pictures' palettes change only with
    // DisplayPaletteChanged (P).
    virtual void RepaintTileView() = 0;
    virtual void RepaintEditView() = 0;
    virtual void RepaintDatView() = 0;
    virtual void RepaintPalView() = 0;
    virtual void DisplayPaletteChanged() = 0;

    virtual void SetCaption(const std::string& caption) = 0;
    // The application title (shown by the task bar); "Tavrin" at start.
    virtual void SetApplicationTitle(const std::string& title) = 0;
    virtual void SetStatusText(StatusPanel panel, const std::string& text) = 0;
    // The two text boxes of the mouse-hint panel.
    virtual void SetMouseHints(const std::string& left, const std::string& right) = 0;
    virtual void SetToolTip(HintTarget target, const std::string& text) = 0;

    // Scroll bars are set without running their change handlers.
    virtual void SetScrollRange(ScrollBarId bar, const ScrollRange& range) = 0;
    virtual void SetScrollPosition(ScrollBarId bar, int position) = 0;

    // Enabled, checked and visible states of the actions may have changed: CanRotate(),
    // IsColourSetEnabled(), IsPaletteOnly(), IsSimpleMenu(), ... are read again.
    virtual void CommandStatesChanged() = 0;
    // The status bar, the mouse-hint panel or the palette panels' layout changed:
    // IsStatusBarVisible(), IsMouseHintsVisible(), IsPaletteOnly() are read again.
    virtual void LayoutChanged() = 0;

    // Combo boxes whose contents or selection the Editor changes, set without running their
    // change handlers (the Editor also confirms a selection the user just made).
    virtual void SetFormatList(const std::vector<std::string>& names) = 0;
    virtual void SetFormatIndex(int index) = 0;
    virtual void SetPatternList(const std::vector<std::string>& names) = 0;
    virtual void SetPatternIndex(int index) = 0;

    // A plain message box with an OK button, and the system's default beep.
    virtual void ShowMessage(const std::string& text) = 0;
    virtual void Beep() = 0;
    // A load or save failed (never called for success); the window says so, in the least a
    // beep.
    virtual void ReportFailure(const FileResult& result, FileAction action);

    // The panel becomes the active control.
    virtual void FocusPanel(Panel panel) = 0;
    // The pop-up menu opens at (x, y) of the tile view (outside it after a drag ended there).
    virtual void ShowPopupMenu(int x, int y) = 0;
};

// The clipboard, as packed device-independent bitmaps (header, colour table, pixels).
class ClipboardView {
public:
    virtual ~ClipboardView() = default;
    virtual bool ClipboardHasDib() = 0;
    // Empty when the clipboard holds no image.
    virtual std::vector<uint8_t> ClipboardDib() = 0;
    // False when the clipboard did not take the image.
    virtual bool SetClipboardDib(const std::vector<uint8_t>& packedDib) = 0;
    virtual void ClearClipboard() = 0;
};

// The answer to "save the changes?" before the document is replaced or the window closes.
enum class SaveAnswer { Save, Discard, Cancel };
// The answer when a save would leave drawn bytes past the end of a small file out.
enum class ExtendAnswer { Extend, OriginalSize, Cancel };

// The dialogs the Editor opens.
class DialogView {
public:
    virtual ~DialogView() = default;
    // The document has unsaved changes and is about to be replaced or closed. Without a
    // window to ask, they are discarded.
    virtual SaveAnswer AskSaveChanges() { return SaveAnswer::Discard; }
    // F7 would drop unsaved changes: true to go on.
    virtual bool AskDiscardChanges() { return true; }
    // Drawn bytes lie past the end of the data the save writes: extend the file to the page,
    // save at the original size, or cancel the save.
    virtual ExtendAnswer AskExtendFile() { return ExtendAnswer::OriginalSize; }
    // Whether a palette file of console colour memory goes into (reading) or comes from the
    // palette set or the master palette; none to cancel. Without a window: the master palette.
    virtual std::optional<PaletteDestination> AskPaletteDestination(bool reading) {
        (void)reading;
        return PaletteDestination::MasterPalette;
    }
    // The palette edit dialog opens without blocking, on the given master colour.
    virtual void ShowPaletteEditor(int masterIndex) = 0;
    // The modal dialogs of the edit commands; true when closed with OK.
    // Colour optimisation: on OK the source's pixels have been replaced.
    virtual bool RunColourOptimize(Image8& source, const Image8& destination) = 0;
    // Colour replacement for colourCount colours of the group whose 256 master indices are
    // given; on OK map holds what each colour number becomes.
    virtual bool RunReplaceColour(int colourCount, const CPalette& palette,
                                  const uint8_t* groupEntries, std::array<uint8_t, 256>& map) = 0;
};

// All three, as the main window implements them.
class EditorView : public PanelView, public ClipboardView, public DialogView {};

} // namespace tavrin
