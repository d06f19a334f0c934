#pragma once

#include "core/edit/CPenTable.h"
#include "core/editor/EditorView.h"
#include "core/editor/PanelMouse.h"
#include "core/palette/CStateFile.h"
#include "core/platform/FailureText.h"
#include "core/platform/Image8.h"
#include "core/settings/CIniInfo.h"
#include "core/startup/AppPaths.h"
#include "core/views/CGrid.h"
#include "core/views/CImageDat.h"
#include "core/views/CImageEdit.h"
#include "core/views/CImagePal.h"
#include "core/views/EditArea.h"
#include "core/views/TileView.h"
#include "core/views/TileViewGeometry.h"
#include "core/workspace/Workspace.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tavrin {

// The display controls and options that only change how the window shows things.
enum class ViewOption {
    Rotate,
    Mirror,
    GridType,
    Zoom,
    GridChr,
    GridEdit,
    FrameDraw,
    Halftone,
    StatusBar,
    MouseNavigation,
    SimpleMenu,
};

// Where the pointer is when the wheel turns.
enum class WheelTarget { Other, DatPanel, PalPanel };

// The main window's interaction state and its command handlers, on a Workspace it shares
// with the other windows. The Qt main window owns one Editor, implements EditorView, wires
// each action to one call here and reads enabled, checked and visible states from the
// queries. Every rule of the window lives here or in the workspace, so a test drives it with
// a recording view.
class Editor : public WorkspaceListener {
public:
    static constexpr const char* AppTitle = "Tavrin";

    // settings: the window's settings, owned by the window and read before (OpenSettingsFile),
    // so it can place itself (SavePosition, Left, Top) before FormCreate; the Editor keeps
    // them up to date and writes them at FormDestroy. wheelScrollLines is the system's value
    // (0 counts as 1).
    Editor(EditorView& view, Workspace& workspace, CIniInfo& settings, AppPaths paths,
           int wheelScrollLines);
    ~Editor() override;
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    // Start-up (FormCreate): the standard state, the format and pattern lists, display
    // controls from the settings, format entry 1 and pattern 0, then the document: the
    // single argument, else the demo ".chr" of the standard files, else a new document. More
    // than one argument counts as none.
    void FormCreate(const std::vector<std::string>& arguments);
    // The window is shown: the four pictures are drawn (T, E, S, L).
    void FormShow();
    // Shutdown (FormDestroy): the settings take the state and are written. windowColour is
    // 0x00BBGGRR, or -1 while the window has the system's colour.
    void FormDestroy(int left, int top, int windowColour);

    // File actions. Paths come from the window's dialogs.
    void FileNew();
    // The document from path; on failure the old document stays and the failure is
    // reported (a missing file silently).
    FileResult OpenRom(const std::string& path, bool fresh);
    // F7 reads the file again; the external tools' reload does it without asking.
    // ask: the user may keep unsaved changes instead (F7); the tools' reload does not ask.
    void FileReload(bool ask = false);
    // The document has no unsaved changes, or the user saved them or let them go: true when
    // it may be replaced or closed (close, New, Open, drop).
    bool ConfirmDiscard();
    void FileSave();
    void FileSaveAs(const std::string& path);
    // The first dropped file is opened; the others are ignored.
    void DropFiles(const std::vector<std::string>& paths);
    // The ROM document and its colour set (while enabled) to path; a failure is reported.
    FileResult WriteRom(const std::string& path);

    // Format selection (ComboBoxFormatChange) and the Ctrl+digit actions (ActFormat0..9).
    void SelectFormat(int index);
    void ActFormat(int digit);

    // Display settings panel. Each stores its value; the redraw is skipped during start-up.
    // One display control or option: its value (an index, or 0 and 1 for a switch) stored and
    // what shows it redrawn.
    void SetViewOption(ViewOption option, int value);
    void SelectPattern(int index);
    // The pattern dialog closed (always with OK) with its edited copy of the patterns: they go
    // into the workspace, the list is refreshed and entry 0 selected.
    void PatternDialogClosed(const CAdfPattern& edited);

    // Address actions: ActAddrMMAXExecute with the sender's step code (an unknown code shows
    // "Unknown Address Type." and changes nothing), the jump dialog's result and the image
    // search ("not found." when nothing follows).
    void AddrStep(int stepCode);
    void AddrJump(int address);
    void AddrFind();
    // The CHR scroll bar moved (ScrollBarChrChange) and its clamp while dragged.
    void ScrollBarChange(ScrollBarId bar, int position);
    // One wheel notch: direction -1 up, +1 down.
    void MouseWheel(int direction, WheelTarget target);
    // Rows of one wheel step: the wheel count if 1 or more, else the system's wheel lines.
    int WheelStepLines() const;

    // Palette actions.
    void PaletteSelect(int tag); // Z X C V: tags 0..3
    void SetPaletteDisplayMode(bool paletteOnly);
    void PaletteEnableSet(); // Ctrl+M
    // A palette set (.dat), palette (.pal) or pattern list (.adf) from a file, to a file, or to
    // the file of that extension beside the document. A failure is reported; what a damaged
    // file held up to its fault is kept.
    void OpenCompanion(RomDocument::Companion kind, const std::string& path);
    void SaveCompanion(RomDocument::Companion kind, const std::string& path);
    void SaveCompanionBesideRom(RomDocument::Companion kind);
    // A palette file of another format (format none: found from the file) into the master
    // palette or, for console colour memory and as the user chooses, the palette set: one undo
    // step. A refused file, and a short one, are said in a message.
    void PaletteImportOther(const std::string& path, std::optional<PaletteFormat> format,
                            ChannelExpansion expansion = ChannelExpansion::Full);
    // The master palette (or the palette set's colours, as the user chooses for console
    // colour memory) into a palette file of the format.
    void PaletteExportOther(const std::string& path, PaletteFormat format);
    void PaletteReload(); // F11: the standard state
    // F12: the palette and palette set from an emulator's save-state, as the settings file's
    // "STATE" section describes it. The display palette and all four panels follow whatever
    // the import did; the result's Message() is for the window to show.
    StateImportResult PaletteLoadState(const std::string& path);

    // Pens: ActPenExecute with the pen number (ActPen11 0, ActPen01..09 1..9, ActPen10 10).
    void PenExecute(int penNumber);
    int PenNumber() const { return m_penNumber; }

    // The Edit menu. Every pixel command ends in the commit sequence (an undo step, the page
    // encoded into the document, decoded and shown again).
    void EditUndo();
    void EditRedo();
    void EditClear();
    void EditSelectAll();
    void EditMirror(MirrorAxis axis);
    void EditRotate(bool clockwise);
    void EditShift(ShiftDirection direction);
    void EditCopy();
    void EditCut();
    // Paste at the edit area's top-left corner; optimise runs the colour optimisation first.
    void EditPaste(bool optimise);
    void EditClearClipboard();
    // ActPaletteReplaceColorExecute.
    void ReplaceColour();

    // Snapshots: the tile image written as a bitmap (a failure reported as every failed save
    // is), and a bitmap's indices put into the page's top-left corner (then committed).
    FileResult SaveSnapshot(const std::string& path);
    // A picture larger than the page is said to be cut, named by source when given.
    void LoadSnapshot(const Image8& image, const std::string& source = {});

    // The page's bytes go into the undo ring, then the tile image is encoded into them.
    void CommitPage();

    // Options.
    // The settings dialog closed: the wheel count is taken again and the page shown.
    void SettingsChanged();

    // The mouse on the four panels.
    PanelMouse& Mouse() { return m_mouse; }

    // Redraw steps and the operations the dialogs call.
    void Redraw();
    void ShowPage();
    void RefreshCommandStates(); // ActControlSetMenuExecute
    // kind: 0 no image, 1 tile view, 2 edit view, 3 palette-set view, 4 palette view.
    void ShowMouseHints(int kind);

    // Command states.
    bool CanRotate() const;
    bool IsPaletteOnly() const { return m_paletteOnly; }
    // The mouse-hint panel shows only with the status bar.
    bool IsMouseHintsVisible() const;
    bool IsPastePreview() const { return m_pastePreview; }
    bool IsInitialising() const { return m_initialising; }

    // Display settings as the controls show them (-1: no selection).
    int ZoomIndex() const { return m_zoomIndex; }

    // Document and page state.
    const EditArea& GetEditArea() const { return m_area; }
    int WheelLines() const { return m_wheelLines; }
    const std::string& ApplicationTitle() const { return m_appTitle; }
    const AppPaths& Paths() const { return m_paths; }

    // The pictures the panels paint.
    const Image8& TileViewPicture() const { return m_tileView.Picture(); }
    const Image8& EditViewPicture() const { return m_editView.Picture(); }
    // The palette views; the panels paint their Picture() moved up by 16 x TopRow().
    const CImageDat& DatView() const { return m_datView; }
    const CImagePal& PalView() const { return m_palView; }
    const Image8::Palette& DisplayPalette() const { return m_displayPalette; }

    // The shared state, and the window's settings, for the dialogs that work on them.
    Workspace& Space() { return m_ws; }
    const Workspace& Space() const { return m_ws; }
    CIniInfo& Settings() { return m_settings; }
    const CIniInfo& Settings() const { return m_settings; }

    // Another window changed the workspace: what this window shows follows.
    void WorkspaceChanged(WorkspaceChange change) override;

private:
    void SetChrScrollRange();
    void SetScrollPosition(ScrollBarId bar, int position);
    void RefillPatternList();
    void DecodePage();
    // Whether a tile of the page (0-255 as the screen shows them) lies past the data's end.
    bool IsTilePastEnd(int screenTile) const;
    void RebuildDisplayPalette();
    void DrawTileView();
    void UpdateEditView();
    void RedrawPaletteViews();
    bool LoadCompanionFiles(const std::string& path, bool withColourSet);
    // A failed save reaches the user (a cancelled one does not).
    void ReportFailure(const FileResult& result);
    void ShowAddressStatus();
    void ShowPatternStatus(int screenTile);
    void ShowCaption();
    // CommitPage, DecodePage, DrawTileView, UpdateEditView.
    void CommitAndShow();
    // After an undo or redo step: the page it changed, or the palettes redrawn.
    void ShowStep(int address, UndoTarget target);
    PixelRect AreaPixels() const;
    // The edit area as an indexed bitmap on the clipboard; false after the failure message.
    bool CopyAreaToClipboard();
    PageKey CurrentPageKey() const {
        return {m_ws.Address(), &m_ws.Format(), m_ws.RotateIndex(), m_ws.MirrorIndex(),
                &m_ws.Pattern()};
    }
    void SetPaletteScrollRanges();
    // Opens the palette edit dialog on the selected entry's master colour, then redraws all.
    void OpenPaletteEditor();

    EditorView& m_view;
    Workspace& m_ws;
    AppPaths m_paths;

    CIniInfo& m_settings;
    CGrid m_grid;
    Image8 m_displayImage;
    Image8 m_workingCopy;
    // Where the page reaches past the end of the file's data (see Workspace::PastEndMask).
    Image8 m_pastEnd;
    bool m_pageReachesPastEnd = false;
    TileView m_tileView;
    CImageEdit m_editView;
    CImageDat m_datView;
    CImagePal m_palView;
    CPenTable m_pens;
    CPen* m_pen = nullptr;
    Image8::Palette m_displayPalette{};

    int m_penNumber = 1;
    int m_editSize = 16;
    int m_zoomIndex = 3;
    EditArea m_area;
    bool m_paletteOnly = false;

    bool m_pastePreview = false;
    bool m_initialising = false;

    int m_wheelLines = 1;
    int m_wheelCount = 0;
    // Starts one before 0, so the first notch acts.
    uint32_t m_wheelNotch = UINT32_MAX;

    int m_lastScrollPosition = -1;
    int m_lastTileIndex = -1;
    int m_lastHintKind = -1;
    int m_lastHintPen = -1;

    std::string m_appTitle = AppTitle;
    // Whether the caption shows the document as modified.
    bool m_captionModified = false;
    std::string m_datHint;
    std::string m_palHint;

    PanelMouse m_mouse{*this};
    friend class PanelMouse;
};

} // namespace tavrin
