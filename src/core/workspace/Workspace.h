#pragma once

#include "core/document/DocumentOrigin.h"
#include "core/document/RomDocument.h"
#include "core/formats/CFormatTable.h"
#include "core/formats/PageCodec.h"
#include "core/palette/CAdfPattern.h"
#include "core/palette/CColSet.h"
#include "core/palette/CDatPalette.h"
#include "core/palette/CPalette.h"
#include "core/palette/CStateFile.h"
#include "core/palette/files/PaletteTransfer.h"
#include "core/platform/FileResult.h"
#include "core/platform/Image8.h"
#include "core/platform/SafeFileWriter.h"
#include "core/views/TileViewGeometry.h"
#include "core/workspace/UndoRing.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tavrin {

struct RecoveryRecord;

// What changed in a workspace, so that a window redraws only what shows it.
enum class WorkspaceChange {
    Document,  // another file, a new one, or the same one read again
    Page,      // address, format, rotation, mirror or pattern
    Bytes,     // the document's bytes (an edit, undo, redo, import)
    Palettes,  // palette, palette set, its selected entry or colour set
    Patterns,  // the pattern list
    TileImage, // the current page decoded again into the tile image, or shown in new colours
};

class WorkspaceListener {
public:
    virtual ~WorkspaceListener() = default;
    virtual void WorkspaceChanged(WorkspaceChange change) = 0;
};

// Which companion files a load found.
struct CompanionLoad {
    bool dat = false;
    bool pal = false;
    bool adf = false;
    bool col = false;
    bool Any() const { return dat || pal || adf || col; }
};

// What every window and the command line share: the document, the format table and the
// current format, the page settings (address, rotation, mirror, pattern), the palettes, the
// palette set, the colour set, the patterns, the undo ring and the tile image of the current
// page, with the operations on them. The main window's Editor, the set window and the command
// line work on one of these; none of them decodes, encodes or loads a file by itself.
//
// Every mutator announces its change to the listeners, from the mutator itself. `by` names
// the listener making the change: it is not told, as it redraws in its own order. Outside
// the workspace the shared objects are read only; the one exception is the canvas, the page's
// colour numbers that pens draw on, whose change reaches the document (and is announced)
// through CommitPage.
class Workspace {
public:
    static constexpr int TileImageSide = 128;
    static constexpr int StartFormatIndex = 1; // "2BPP NES"

    Workspace();
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    // ---- The shared objects ----
    const RomDocument& Document() const { return m_doc; }
    CFormatTable& Formats() { return m_formats; }
    const CFormatTable& Formats() const { return m_formats; }
    CFormat& Format() const { return *m_format; }
    int FormatIndex() const { return m_formatIndex; }
    const CPalette& Palette() const { return m_palette; }
    const CDatPalette& PaletteSet() const { return m_datPalette; }
    const CColSet& ColourSet() const { return m_colSet; }
    const CAdfPattern& Patterns() const { return m_patterns; }
    const UndoRing& Undo() const { return m_undo; }
    // The current page as 128 x 128 colour numbers (with the palette group's offset).
    const Image8& TileImage() const { return m_tileImage; }
    // The same image to draw on: pens and pixel commands change it, then CommitPage encodes
    // it into the document and announces the change, or DecodePage gives it up.
    Image8& Canvas() { return m_tileImage; }

    // ---- Page settings ----
    int Address() const { return m_address; }
    // Taken as it is; ClampAddress keeps a page inside the document.
    void SetAddress(int address, const WorkspaceListener* by = nullptr);
    int ClampAddress(int address) const {
        return m_doc.ClampPageAddress(address, m_page.pageBytes);
    }
    int RotateIndex() const { return m_rotateIndex; }
    int MirrorIndex() const { return m_mirrorIndex; }
    void SetRotate(int index, const WorkspaceListener* by = nullptr);
    void SetMirror(int index, const WorkspaceListener* by = nullptr);
    int PatternIndex() const { return m_patternIndex; }
    const AdfEntry& Pattern() const { return *m_pattern; }
    // Held within the list; returns the index taken.
    int SelectPattern(int index, const WorkspaceListener* by = nullptr);
    const PageGeometry& Page() const { return m_page; }
    bool IsColourSetEnabled() const { return m_colourSetEnabled; }
    // The document has changes not yet saved: set by every commit, undo and redo, cleared
    // by a read, a new document and a successful save.
    bool IsModified() const { return m_modified; }
    // Clearing the mark makes the current state the one undo and redo compare with.
    void SetModified(bool modified);
    // Whether the undo position holds the bytes last saved or opened.
    bool IsSavedPosition(int position) const;
    void SetColourSetEnabled(bool on, const WorkspaceListener* by = nullptr);
    // The selected entry of the palette set (held within it).
    void SelectPaletteEntry(int entry, const WorkspaceListener* by = nullptr);
    // The master colour of one of the 256 palette entries (the palette dialog).
    void SetMasterColour(int index, Colour colour, const WorkspaceListener* by = nullptr);
    // The master index a palette-set entry shows (the palette view).
    void SetPaletteEntry(int entry, int masterIndex, const WorkspaceListener* by = nullptr);
    // Palette-only display: the palette set shows its identity table instead of its own.
    void SetPaletteOnly(bool on, const WorkspaceListener* by = nullptr);
    // Edits through the objects' own calls, announced once when the edit returns.
    void EditPalettes(const std::function<void(CPalette&, CDatPalette&)>& edit,
                      const WorkspaceListener* by = nullptr);
    void EditColourSet(const std::function<void(CColSet&)>& edit,
                       const WorkspaceListener* by = nullptr);
    void EditPatterns(const std::function<void(CAdfPattern&)>& edit,
                      const WorkspaceListener* by = nullptr);

    // Held within the table; the old format is deactivated and the new one activated, the
    // palette set follows its bits per pixel and the colour set its tile size. True when the
    // format changed.
    bool SelectFormat(int index, const WorkspaceListener* by = nullptr);
    // Bytes of one tile of the current format.
    int TileBytes() const;
    // The colour bits of the current format: 2^bpp - 1.
    uint8_t ColourMask() const { return static_cast<uint8_t>(m_datPalette.ColourMask()); }

    // ---- Pages ----
    PageSettings PageSettingsAt(int address) const;
    // Bytes from a page's address that one decode or encode reaches: the page, or more for a
    // format whose tiles a pattern may take from further on.
    int PageReach() const;
    // Whether the current page can be decoded and encoded within the document buffer.
    bool PageFitsBuffer() const { return PageFitsAt(m_address); }
    // The current page into the tile image (with the colour set's groups while enabled).
    void DecodePage(const WorkspaceListener* by = nullptr);
    // The colours the tile image is shown in (the display palette of the window showing it).
    void SetTileColours(const Image8::Palette& colours, const WorkspaceListener* by = nullptr);
    // Marks, in a 128 x 128 image laid out as the tile image, the pixels whose bytes lie
    // past the end of the file's data (non-zero there). False, with mask untouched, when the
    // whole page lies inside the data.
    bool PastEndMask(Image8& mask);
    // The page's bytes go into the undo ring, then the tile image is encoded into them.
    void CommitPage(const WorkspaceListener* by = nullptr);
    // Undo and redo swap a snapshot with the document; address is where it was taken.
    bool UndoStep(int& address, const WorkspaceListener* by = nullptr,
                  UndoTarget* target = nullptr);
    bool RedoStep(int& address, const WorkspaceListener* by = nullptr,
                  UndoTarget* target = nullptr);
    // Puts what a palette file held into the master palette or the palette set (see
    // ApplyPaletteContents) as one undo step; undo and redo give the palettes back without
    // moving the page (target says which kind of step it was).
    PaletteTransfer ImportPalette(const PaletteContents& contents, PaletteDestination destination,
                                  const WorkspaceListener* by = nullptr);

    // count pages from first stacked downwards in one 128-pixel-wide image with the display
    // palette; bytes past the document read as zero.
    Image8 ExportPages(int first, long long count, bool halftone = false);
    // The image's indices (masked to the format's colours) go into count pages from first,
    // 128 rows of the image a page, into each page's top-left corner; every page is one undo
    // step. The current address ends at first.
    void ImportPages(const Image8& image, int first, int count,
                     const WorkspaceListener* by = nullptr);

    // ---- Files ----
    // Reads the document; a file that cannot be read leaves the old one, name included.
    FileResult OpenRom(const std::string& path, const WorkspaceListener* by = nullptr);
    // An empty document of the standard size, unmodified, with no undo steps.
    void NewDocument(const WorkspaceListener* by = nullptr);
    // The document as a recovery file kept it: its bytes, under its path, at its address,
    // with unsaved changes (no undo steps). False, with the document unchanged, when the
    // bytes cannot be held.
    bool RestoreRecovery(const RecoveryRecord& record, const WorkspaceListener* by = nullptr);
    // The document, then (while enabled and the document was written) its colour set beside
    // it, whose own result goes to colourSet when given.
    // tail: a longer file at path keeps its bytes past the document (saving in place), or is
    // replaced whole (saving as another file). A successful save clears the modified flag.
    FileResult SaveRom(const std::string& path, bool saveSmallSize, FileResult* colourSet = nullptr,
                       ExistingTail tail = ExistingTail::Keep);
    // The document goes on under another name (after Save As wrote it there).
    void RenameDocument(const std::string& path, const WorkspaceListener* by = nullptr);
    // Zeroed bytes after the data up to length (drawn bytes past the end of a small file that
    // the user chose to keep). False when the buffer does not reach that far.
    bool ExtendDocument(int length, const WorkspaceListener* by = nullptr);
    // Names that are not files of their own (packed blocks) are read and saved through the
    // origin; nullptr: every name is a file.
    void SetDocumentOrigin(DocumentOrigin* origin) { m_origin = origin; }
    // One palette set (.dat), palette (.pal) or pattern list (.adf) file; what a damaged file
    // held up to its fault is taken all the same, and announced.
    FileResult LoadCompanion(RomDocument::Companion kind, const std::string& path,
                             const WorkspaceListener* by = nullptr);
    // The palette and palette set from an emulator's save-state, as the settings file's
    // save-state definitions describe it; whatever the import did is announced.
    StateImportResult ImportState(const std::string& settingsFile, const std::string& path,
                                  const WorkspaceListener* by = nullptr);
    // The palette set, palette, patterns and (withColourSet) colour set named like path.
    CompanionLoad LoadCompanionFiles(const std::string& path, bool withColourSet,
                                     const WorkspaceListener* by = nullptr);
    // The display palette: the palette set's groups in the master palette's colours.
    Image8::Palette DisplayPalette(bool halftone) const;

    // ---- Listeners ----
    void AddListener(WorkspaceListener* listener);
    void RemoveListener(WorkspaceListener* listener);

private:
    friend struct WorkspaceTestAccess; // tests seed bytes as if changed behind the page's back

    // Tells every listener but the one that made the change.
    void Announce(WorkspaceChange change, const WorkspaceListener* by);
    // Undo (undo true) or redo of one step of the ring, document or palettes.
    bool StepBack(bool undo, int& address, const WorkspaceListener* by, UndoTarget* target);

    bool PageFitsAt(int address) const;
    // PageReach without the cap at the buffer: what a decode reads from a page's address.
    long long FullReach() const;
    // Decodes or encodes the page at address; a reach past the buffer works on a zeroed copy.
    void DecodeAt(int address, Image8& image);
    void EncodeAt(int address, Image8& image);
    // DecodePage and CommitPage without the announcement (an import announces once).
    void DecodeCurrent();
    void CommitCurrent();

    RomDocument m_doc;
    DocumentOrigin* m_origin = nullptr;
    CFormatTable m_formats;
    CPalette m_palette;
    CDatPalette m_datPalette;
    CAdfPattern m_patterns;
    CColSet m_colSet;
    UndoRing m_undo;
    Image8 m_tileImage;

    CFormat* m_format = nullptr;
    int m_formatIndex = StartFormatIndex;
    const AdfEntry* m_pattern = nullptr;
    int m_patternIndex = 0;
    PageGeometry m_page;
    int m_address = 0;
    int m_rotateIndex = 0;
    int m_mirrorIndex = 0;
    bool m_colourSetEnabled = false;
    bool m_modified = false;
    // The undo positions that hold the bytes last saved or opened: the position of the save
    // and the steps after it that changed nothing; NoSavedPosition once none can be reached.
    static constexpr int NoSavedPosition = -1;
    int m_savedFirst = 0;
    int m_savedLast = 0;

    std::vector<WorkspaceListener*> m_listeners;
};

} // namespace tavrin
