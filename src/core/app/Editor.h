#pragma once

#include "core/app/EditorView.h"
#include "core/platform/Image8.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tavrin {

class CAdfPattern;
class CColSet;
class CDatPalette;
class CFormat;
class CFormatTable;
class CImageDat;
class CImageEdit;
class CImagePal;
class CIniInfo;
class CPalette;
class RomDocument;

// Mouse buttons as the image handlers receive them.
enum class MouseButton { Left = 0, Right = 1, Middle = 2 };

// Where the pointer is when the wheel turns.
enum class WheelTarget { Other, DatPanel, PalPanel };

// The main window's state and its command handlers. The Qt main window owns one Editor,
// implements EditorView, wires each action to one call here and reads enabled, checked and
// visible states from the queries. Every rule of the window lives here, so a test drives it
// with a recording view.
class Editor {
public:
    // The settings file is the executable's path with the extension ".ini"; it is read at
    // once (twice, as the window always did). wheelScrollLines is the system's value.
    Editor(EditorView& view, std::string executablePath, int wheelScrollLines);
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    // Start-up (FormCreate): standard state beside the executable, lists, display controls
    // from the settings, format entry 1 and pattern 0, then the document: the single
    // argument, else the ".chr" named like the executable, else a new document.
    void FormCreate(const std::vector<std::string>& arguments);
    // The window is shown: the four pictures are drawn.
    void FormShow();
    // Shutdown (FormDestroy): the settings take the state and are written. windowColour is
    // 0x00BBGGRR, or -1 for the system colour.
    void FormDestroy(int left, int top, int windowColour);

    // File actions. Paths come from the window's dialogs.
    void FileNew();
    bool OpenRom(const std::string& path, bool fresh);
    void FileOpen(const std::string& path) { OpenRom(path, true); }
    void FileReload();
    void FileSave();
    void FileSaveAs(const std::string& path);
    // The first dropped file is opened; the others are ignored.
    void DropFiles(const std::vector<std::string>& paths);
    // The filter of the ROM open and save dialogs: "ROM image|<patterns>|All files|*.*".
    std::string RomFileFilter() const;
    // The document path with its extension replaced by ext (".dat"), for the save dialogs.
    std::string DocumentPathWithExtension(const std::string& ext) const;

    // Format selection (ComboBoxFormatChange) and the Ctrl+digit actions (ActFormat0..9).
    void SelectFormat(int index);
    void ActFormat(int digit);
    std::string FormatInfoText() const;

    // Display settings panel.
    void SetRotate(int index);
    void SetMirror(int index);
    void SelectPattern(int index);
    void SetGridType(int index);
    void SetZoom(int index);
    void SetGridChr(bool on);
    void SetGridEdit(bool on);
    void SetFrameDraw(bool on);
    void SetHalftone(bool on);
    // The pattern dialog closed (always with OK): list refreshed, entry 0 selected.
    void PatternDialogClosed();

    // Address actions (ActAddrMMAXExecute with the step code of the sender; an unknown code
    // shows "Unknown Address Type."), the jump dialog's result and the image search.
    void AddrStep(int stepCode);
    void AddrJump(int address);
    void AddrFind();
    void ScrollBarChrChange(int position);
    void ScrollBarDatChange(int position);
    void ScrollBarPalChange(int position);
    // One wheel notch: direction -1 up, +1 down. comboFocused: a display-settings combo box
    // has the focus.
    void MouseWheel(int direction, WheelTarget target, bool comboFocused);

    // Palette actions.
    void PaletteSelect(int tag); // Z X C V: tags 0..3
    void SetPaletteDisplayMode(bool paletteOnly);
    void PaletteEnableSet(); // Ctrl+M
    void PaletteDatOpen(const std::string& path);
    void PaletteDatSave(const std::string& path);
    void PaletteDatSaveRom();
    void PalettePalOpen(const std::string& path);
    void PalettePalSave(const std::string& path);
    void PalettePalSaveRom();
    void PaletteAdfOpen(const std::string& path);
    void PaletteAdfSave(const std::string& path);
    void PaletteAdfSaveRom();
    void PaletteReload(); // F11: the standard state
    // The palette edit dialog changed a colour: the full redraw.
    void PaletteEdited();

    // Options.
    void SetStatusBarVisible(bool on);
    void SetMouseNavigation(bool on);
    void SetSimpleMenu(bool on);
    // The settings dialog closed: the wheel count is taken again and the page shown.
    void SettingsChanged();

    // Mouse on the four images, in picture coordinates (0..255; the DAT and PAL pictures
    // count from their top row 0, whatever the scroll position).
    void ChrMouseDown(MouseButton button, int x, int y);
    void ChrMouseMove(int x, int y);
    void ChrMouseUp(MouseButton button, int x, int y);
    void EditMouseDown(MouseButton button, int x, int y);
    void EditMouseMove(int x, int y);
    void EditMouseUp(MouseButton button, int x, int y);
    void DatMouseDown(MouseButton button, int x, int y);
    void DatMouseMove(int x, int y);
    void DatMouseUp(MouseButton button, int x, int y);
    void PalMouseDown(MouseButton button, int x, int y);
    void PalMouseMove(int x, int y);
    void PalMouseUp(MouseButton button, int x, int y);
    // The pointer moved over the window itself, outside the images.
    void FormMouseMove();

    // Redraw steps and the operations the dialogs call.
    void Redraw();
    void RedrawPal();
    void ShowPage();
    void DecodePage();
    void RebuildDisplayPalette();
    void DrawTileView();
    void UpdateEditView();
    void RefreshCommandStates(); // ActControlSetMenuExecute
    bool LoadCompanionFiles(const std::string& path, bool withColourSet);

    // Command states.
    bool CanRotate() const;
    bool IsColourSetEnabled() const;
    bool IsPaletteOnly() const;
    bool IsSimpleMenu() const;
    bool IsStatusBarVisible() const;
    bool IsMouseNavigation() const;
    bool IsMouseHintsVisible() const;
    bool IsHalftone() const;

    // Display settings as the controls show them.
    int FormatIndex() const;
    int RotateIndex() const;
    int MirrorIndex() const;
    int PatternIndex() const;
    int GridTypeIndex() const;
    int ZoomIndex() const;
    bool GridChr() const;
    bool GridEdit() const;
    bool FrameDraw() const;

    // Document and page state.
    int CurrentAddress() const;
    int PageBytes() const;
    int RowBytes() const;
    int EditSize() const;
    struct EditArea {
        int firstColumn, firstRow, lastColumn, lastRow;
        bool operator==(const EditArea&) const = default;
    };
    EditArea GetEditArea() const;

    // The pictures the panels paint.
    const Image8& TileImage() const;
    const Image8& TileViewPicture() const;
    const Image8& EditViewPicture() const;
    const CImageDat& DatView() const;
    const CImagePal& PalView() const;

    // The owned objects, for the dialogs that work on them.
    RomDocument& Document();
    const RomDocument& Document() const;
    CIniInfo& Settings();
    CFormatTable& Formats();
    CFormat& CurrentFormat() const;
    CPalette& Palette();
    CDatPalette& PaletteSet();
    CColSet& ColourSet();
    CAdfPattern& Patterns();

private:
    struct State;
    std::unique_ptr<State> m_state;
    EditorView& m_view;
};

} // namespace tavrin
