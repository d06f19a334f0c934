#include "core/workspace/Workspace.h"

#include "core/document/RecoveryFile.h"
#include "core/formats/CFormatUtil.h"
#include "core/palette/DisplayPalette.h"
#include "core/views/CBitmapEdit.h"

#include <algorithm>
#include <array>
#include <optional>

namespace tavrin {

Workspace::Workspace() : m_datPalette(&m_palette), m_tileImage(TileImageSide, TileImageSide) {
    m_format = m_formats.Get(StartFormatIndex);
    if (m_format == nullptr) {
        m_format = m_formats.Get(0);
        m_formatIndex = 0;
    }
    m_format->Activate();
    // Without a pattern file the page is shown in plain order.
    m_patterns.EnsureNormal();
    m_pattern = &m_patterns.GetPattern(0);
    m_datPalette.SetBpp(m_format->BitsPerPixel());
    m_page = PageGeometryFor(m_format->BitsPerPixel(), m_page);
}

Workspace::~Workspace() {
    if (m_format != nullptr)
        m_format->Deactivate();
}

// ---- Page settings ----

void Workspace::SetAddress(int address, const WorkspaceListener* by) {
    m_address = address;
    Announce(WorkspaceChange::Page, by);
}

void Workspace::SetRotate(int index, const WorkspaceListener* by) {
    m_rotateIndex = std::clamp(index, 0, 3);
    Announce(WorkspaceChange::Page, by);
}

void Workspace::SetMirror(int index, const WorkspaceListener* by) {
    m_mirrorIndex = std::clamp(index, 0, 3);
    Announce(WorkspaceChange::Page, by);
}

int Workspace::SelectPattern(int index, const WorkspaceListener* by) {
    const int count = std::max(m_patterns.Count(), 1);
    m_patternIndex = std::clamp(index, 0, count - 1);
    m_pattern = &m_patterns.GetPattern(m_patternIndex);
    Announce(WorkspaceChange::Page, by);
    return m_patternIndex;
}

void Workspace::SetColourSetEnabled(bool on, const WorkspaceListener* by) {
    m_colourSetEnabled = on;
    Announce(WorkspaceChange::Palettes, by);
}

void Workspace::SelectPaletteEntry(int entry, const WorkspaceListener* by) {
    m_datPalette.SetSelectedEntry(entry);
    Announce(WorkspaceChange::Palettes, by);
}

void Workspace::SetMasterColour(int index, Colour colour, const WorkspaceListener* by) {
    m_palette.SetColor(index, colour);
    Announce(WorkspaceChange::Palettes, by);
}

void Workspace::SetPaletteEntry(int entry, int masterIndex, const WorkspaceListener* by) {
    m_datPalette.SetEntry(entry, masterIndex);
    Announce(WorkspaceChange::Palettes, by);
}

void Workspace::SetPaletteOnly(bool on, const WorkspaceListener* by) {
    m_datPalette.SetIdentityMode(on);
    Announce(WorkspaceChange::Palettes, by);
}

void Workspace::EditPalettes(const std::function<void(CPalette&, CDatPalette&)>& edit,
                             const WorkspaceListener* by) {
    edit(m_palette, m_datPalette);
    Announce(WorkspaceChange::Palettes, by);
}

void Workspace::EditColourSet(const std::function<void(CColSet&)>& edit,
                              const WorkspaceListener* by) {
    edit(m_colSet);
    Announce(WorkspaceChange::Palettes, by);
}

void Workspace::EditPatterns(const std::function<void(CAdfPattern&)>& edit,
                             const WorkspaceListener* by) {
    edit(m_patterns);
    Announce(WorkspaceChange::Patterns, by);
}

bool Workspace::SelectFormat(int index, const WorkspaceListener* by) {
    index = std::clamp(index, 0, std::max(m_formats.Count() - 1, 0));
    const bool changed = index != m_formatIndex || m_formats.Get(index) != m_format;
    if (changed) {
        m_format->Deactivate();
        m_format = m_formats.Get(index);
        m_formatIndex = index;
        m_format->Activate();
    }
    // The list may have been refilled since the pattern was taken.
    m_pattern = &m_patterns.GetPattern(m_patternIndex);
    const int bpp = m_format->BitsPerPixel();
    m_datPalette.SetBpp(bpp);
    m_colSet.Resize(m_doc.DataSize(), TileBytes());
    m_page = PageGeometryFor(bpp, m_page);
    Announce(WorkspaceChange::Page, by);
    return changed;
}

int Workspace::TileBytes() const {
    const FormatInfo* info = m_format->GetInfo();
    return info != nullptr ? BytesPerTile(*info) : 8 * m_format->BitsPerPixel();
}

// ---- Pages ----

PageSettings Workspace::PageSettingsAt(int address) const {
    PageSettings settings;
    settings.address = address;
    settings.colourOffset = m_datPalette.GroupBase();
    settings.rotateIndex = m_rotateIndex;
    settings.mirrorIndex = m_mirrorIndex;
    settings.pattern = m_pattern->tiles.data();
    return settings;
}

int Workspace::PageReach() const {
    const long long reach = FullReach();
    return reach > m_doc.BufferSize() ? m_doc.BufferSize() + 1 : static_cast<int>(reach);
}

long long Workspace::FullReach() const {
    const FormatInfo* info = m_format->GetInfo();
    if (info == nullptr)
        return m_page.pageBytes;
    const BlockGeometry g = GetBlockGeometry(*info);
    const int slots = g.columns * g.rows;
    int lastTile = slots - 1;
    // Through a pattern any slot may name any of 256 tiles.
    if (info->disableAdfPattern == 0)
        for (int n = 0; n < slots && n < 256; ++n)
            lastTile = std::max<int>(lastTile, m_pattern->tiles[static_cast<size_t>(n)]);
    return std::max<long long>(m_page.pageBytes,
                               static_cast<long long>(lastTile + 1) * g.bytesPerTile);
}

bool Workspace::PageFitsAt(int address) const {
    // The document keeps a whole largest page past the end address, and the windows keep
    // the address below it; anything else is a page (partly) outside the buffer.
    return m_doc.Contains(address, m_page.pageBytes) && m_doc.Contains(address, PageReach());
}

void Workspace::DecodeAt(int address, Image8& image) {
    PageSettings settings = PageSettingsAt(address);
    std::array<uint8_t, 256> groups{};
    if (m_colourSetEnabled) {
        groups = m_colSet.PageGroups(address);
        settings.tilePalettes = groups.data();
    }
    if (PageFitsAt(address)) {
        tavrin::DecodePage(*m_format, m_doc.Data(), settings, image);
        return;
    }
    if (address < 0) {
        image.Fill(0);
        return;
    }
    // Past the end of the buffer the page reads zeros; the copy holds all the decode reads.
    const long long reach = FullReach();
    std::vector<uint8_t> window(static_cast<size_t>(reach), 0);
    if (address < m_doc.BufferSize())
        std::copy(m_doc.Data() + address,
                  m_doc.Data() + std::min<long long>(m_doc.BufferSize(), 0LL + address + reach),
                  window.begin());
    settings.address = 0;
    tavrin::DecodePage(*m_format, window.data(), settings, image);
}

void Workspace::EncodeAt(int address, Image8& image) {
    // A page that does not fit is not written: the bytes past the buffer do not exist.
    if (PageFitsAt(address))
        tavrin::EncodePage(*m_format, m_doc.Data(), PageSettingsAt(address), image);
}

void Workspace::DecodePage(const WorkspaceListener* by) {
    DecodeCurrent();
    Announce(WorkspaceChange::TileImage, by);
}

void Workspace::DecodeCurrent() {
    if (PageFitsBuffer())
        DecodeAt(m_address, m_tileImage);
    else
        m_tileImage.Fill(0);
}

void Workspace::SetTileColours(const Image8::Palette& colours, const WorkspaceListener* by) {
    m_tileImage.Colours() = colours;
    Announce(WorkspaceChange::TileImage, by);
}

bool Workspace::PastEndMask(Image8& mask) {
    const long long reach = FullReach();
    const long long dataEnd = m_doc.DataSize();
    if (m_address < 0 || m_address + static_cast<long long>(reach) <= dataEnd)
        return false;
    // The page decoded from bytes that are zero inside the data and all ones past it: a pixel
    // takes a non-zero colour exactly where one of its bits comes from past the end.
    std::vector<uint8_t> marks(static_cast<size_t>(reach), 0);
    const long long inside = std::clamp<long long>(dataEnd - m_address, 0, reach);
    std::fill(marks.begin() + inside, marks.end(), 0xFF);
    PageSettings settings = PageSettingsAt(0);
    settings.colourOffset = 0;
    if (mask.Width() != TileImageSide || mask.Height() != TileImageSide)
        mask = Image8(TileImageSide, TileImageSide);
    tavrin::DecodePage(*m_format, marks.data(), settings, mask);
    return true;
}

void Workspace::CommitPage(const WorkspaceListener* by) {
    CommitCurrent();
    Announce(WorkspaceChange::Bytes, by);
}

void Workspace::CommitCurrent() {
    // The whole reach of the encode: the page, or more for a plug-in's tiles through a pattern.
    const int length = std::min(std::max(m_page.pageBytes, PageReach()), m_doc.BufferSize());
    const std::span<const uint8_t> rom{m_doc.Data(), static_cast<size_t>(m_doc.BufferSize())};
    const int before = m_undo.Position();
    m_undo.Record(rom, m_address, length);
    EncodeAt(m_address, m_tileImage);
    const bool saved = IsSavedPosition(before);
    // The steps past this one are gone, and with them any saved state among them.
    m_savedLast = std::min(m_savedLast, before);
    if (m_undo.LastStepChangedNothing(rom)) {
        // A step that changed no byte (a tool that gave the page back as it was) leaves the
        // document as it was, on disk or not.
        if (saved)
            m_savedLast = before + 1;
        return;
    }
    m_modified = true;
}

bool Workspace::IsSavedPosition(int position) const {
    return m_savedFirst != NoSavedPosition && m_savedFirst <= position && position <= m_savedLast;
}

bool Workspace::UndoStep(int& address, const WorkspaceListener* by, UndoTarget* target) {
    return StepBack(true, address, by, target);
}

bool Workspace::RedoStep(int& address, const WorkspaceListener* by, UndoTarget* target) {
    return StepBack(false, address, by, target);
}

bool Workspace::StepBack(bool undo, int& address, const WorkspaceListener* by, UndoTarget* target) {
    PaletteState palettes = TakePaletteState(m_palette, m_datPalette);
    std::span<uint8_t> state(reinterpret_cast<uint8_t*>(&palettes), sizeof palettes);
    const std::span<uint8_t> rom(m_doc.Data(), static_cast<size_t>(m_doc.BufferSize()));
    UndoTarget kind = UndoTarget::Document;
    const bool stepped =
        undo ? m_undo.Undo(rom, state, address, kind) : m_undo.Redo(rom, state, address, kind);
    if (target)
        *target = kind;
    if (!stepped)
        return false;
    if (kind == UndoTarget::Palettes) {
        // The palettes are not the document: its modified mark and the page stay.
        RestorePaletteState(palettes, m_palette, m_datPalette);
        address = m_address;
        Announce(WorkspaceChange::Palettes, by);
        return true;
    }
    // Back at the state last saved or opened, the document is as on disk again.
    m_modified = !IsSavedPosition(m_undo.Position());
    Announce(WorkspaceChange::Bytes, by);
    return true;
}

PaletteTransfer Workspace::ImportPalette(const PaletteContents& contents,
                                         PaletteDestination destination,
                                         const WorkspaceListener* by) {
    PaletteState before = TakePaletteState(m_palette, m_datPalette);
    const int position = m_undo.Position();
    m_undo.RecordPalettes({reinterpret_cast<const uint8_t*>(&before), sizeof before});
    // A palette step leaves the document's bytes as they were, saved or not.
    const bool saved = IsSavedPosition(position);
    m_savedLast = saved ? position + 1 : std::min(m_savedLast, position);
    const PaletteTransfer transfer =
        ApplyPaletteContents(contents, destination, m_palette, m_datPalette);
    Announce(WorkspaceChange::Palettes, by);
    return transfer;
}

void Workspace::SetModified(bool modified) {
    m_modified = modified;
    m_savedFirst = m_savedLast = modified ? NoSavedPosition : m_undo.Position();
}

Image8 Workspace::ExportPages(int first, long long count, bool halftone) {
    Image8 out(TileImageSide, static_cast<int>(TileImageSide * count));
    out.Colours() = DisplayPalette(halftone);
    Image8 page(TileImageSide, TileImageSide);
    for (long long k = 0; k < count; ++k) {
        DecodeAt(static_cast<int>(first + k * m_page.pageBytes), page);
        out.CopyRect(page, 0, 0, TileImageSide, TileImageSide, 0,
                     static_cast<int>(TileImageSide * k));
    }
    return out;
}

void Workspace::ImportPages(const Image8& image, int first, int count,
                            const WorkspaceListener* by) {
    for (int k = 0; k < count; ++k) {
        m_address = static_cast<int>(first + static_cast<long long>(k) * m_page.pageBytes);
        DecodeCurrent();
        // The indices, masked to the format's colours, into the page's top-left corner.
        const int top = TileImageSide * k;
        const int w = std::min(image.Width(), TileImageSide);
        const int h = std::clamp(image.Height() - top, 0, TileImageSide);
        CBitmapEdit::CopyRectAnd(m_tileImage, 0, 0, image, {0, top, w, top + h}, ColourMask());
        CommitCurrent();
    }
    m_address = first;
    // One announcement for the whole import, not one per page.
    if (count > 0)
        Announce(WorkspaceChange::Bytes, by);
}

// ---- Files ----

FileResult Workspace::OpenRom(const std::string& path, const WorkspaceListener* by) {
    std::optional<FileResult> fromOrigin =
        m_origin ? m_origin->ReadDocument(path, m_doc) : std::nullopt;
    FileResult read = fromOrigin ? std::move(*fromOrigin) : m_doc.ReadRom(path);
    if (read) {
        m_undo.Reset();
        SetModified(false);
        Announce(WorkspaceChange::Document, by);
    }
    return read;
}

void Workspace::NewDocument(const WorkspaceListener* by) {
    m_doc.New();
    m_undo.Reset();
    SetModified(false);
    Announce(WorkspaceChange::Document, by);
}

bool Workspace::RestoreRecovery(const RecoveryRecord& record, const WorkspaceListener* by) {
    if (record.dataSize < 0 || record.bytes.size() < static_cast<size_t>(record.dataSize) ||
        !m_doc.LoadBytes(record.bytes.data(), static_cast<size_t>(record.dataSize),
                         record.documentPath))
        return false;
    // What was drawn past the data, as far as the buffer reaches.
    const size_t kept = std::min(record.bytes.size(), static_cast<size_t>(m_doc.BufferSize()));
    std::copy(record.bytes.begin() + record.dataSize,
              record.bytes.begin() + static_cast<ptrdiff_t>(kept), m_doc.Data() + record.dataSize);
    m_undo.Reset();
    SetModified(true);
    m_address = ClampAddress(record.address);
    Announce(WorkspaceChange::Document, by);
    return true;
}

FileResult Workspace::SaveRom(const std::string& path, bool saveSmallSize, FileResult* colourSet,
                              ExistingTail tail) {
    // A packed block goes back into its ROM; its colour set would be the ROM's, so it stays.
    if (m_origin) {
        if (std::optional<FileResult> written = m_origin->WriteDocument(path, m_doc)) {
            if (*written)
                SetModified(false);
            return std::move(*written);
        }
    }
    FileResult written = m_doc.WriteRom(path, saveSmallSize, tail);
    if (!written)
        return written;
    SetModified(false);
    if (!m_colourSetEnabled)
        return written;
    m_colSet.SetHeader(m_datPalette.Table());
    if (m_colSet.BufferSize() > 0) {
        FileResult col =
            m_colSet.SaveToFile(RomDocument::CompanionPath(path, RomDocument::Companion::Col));
        if (colourSet != nullptr)
            *colourSet = std::move(col);
    }
    return written;
}

void Workspace::RenameDocument(const std::string& path, const WorkspaceListener* by) {
    m_doc.SetFilePath(path);
    Announce(WorkspaceChange::Document, by);
}

bool Workspace::ExtendDocument(int length, const WorkspaceListener* by) {
    if (!m_doc.ExtendTo(length))
        return false;
    Announce(WorkspaceChange::Bytes, by);
    return true;
}

FileResult Workspace::LoadCompanion(RomDocument::Companion kind, const std::string& path,
                                    const WorkspaceListener* by) {
    switch (kind) {
    case RomDocument::Companion::Dat: {
        FileResult read = m_datPalette.LoadFromFile(path);
        Announce(WorkspaceChange::Palettes, by);
        return read;
    }
    case RomDocument::Companion::Pal: {
        FileResult read = m_palette.LoadFromFile(path);
        Announce(WorkspaceChange::Palettes, by);
        return read;
    }
    case RomDocument::Companion::Adf: {
        FileResult read = m_patterns.LoadFromFile(path);
        Announce(WorkspaceChange::Patterns, by);
        return read;
    }
    case RomDocument::Companion::Col:
        break;
    }
    return FileResult::Fail(FileFailure::Malformed, path);
}

StateImportResult Workspace::ImportState(const std::string& settingsFile, const std::string& path,
                                         const WorkspaceListener* by) {
    // The definitions are read at every import, so edits to the settings file count at once.
    CStateFile state(settingsFile, m_palette, m_datPalette);
    StateImportResult result = state.LoadFromFile(path);
    Announce(WorkspaceChange::Palettes, by);
    return result;
}

CompanionLoad Workspace::LoadCompanionFiles(const std::string& path, bool withColourSet,
                                            const WorkspaceListener* by) {
    CompanionLoad loaded;
    loaded.dat = static_cast<bool>(
        m_datPalette.LoadFromFile(RomDocument::CompanionPath(path, RomDocument::Companion::Dat)));
    loaded.pal = static_cast<bool>(
        m_palette.LoadFromFile(RomDocument::CompanionPath(path, RomDocument::Companion::Pal)));
    loaded.adf = static_cast<bool>(
        m_patterns.LoadFromFile(RomDocument::CompanionPath(path, RomDocument::Companion::Adf)));
    m_colSet.Resize(m_doc.DataSize(), TileBytes());
    m_colourSetEnabled = false;
    if (withColourSet &&
        m_colSet.LoadFromFile(RomDocument::CompanionPath(path, RomDocument::Companion::Col))) {
        loaded.col = true;
        if (const uint8_t* header = m_colSet.Header())
            m_datPalette.SetTable(header, CColSet::HeaderSize);
        m_colourSetEnabled = true;
    }
    if (loaded.adf)
        Announce(WorkspaceChange::Patterns, by);
    Announce(WorkspaceChange::Palettes, by);
    return loaded;
}

Image8::Palette Workspace::DisplayPalette(bool halftone) const {
    return RebuildDisplayPalette(m_datPalette, halftone);
}

// ---- Listeners ----

void Workspace::AddListener(WorkspaceListener* listener) {
    if (listener != nullptr &&
        std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
        m_listeners.push_back(listener);
}

void Workspace::RemoveListener(WorkspaceListener* listener) {
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener),
                      m_listeners.end());
}

void Workspace::Announce(WorkspaceChange change, const WorkspaceListener* by) {
    if (m_listeners.empty())
        return;
    // A copy: a listener may remove itself while told.
    const std::vector<WorkspaceListener*> listeners = m_listeners;
    for (WorkspaceListener* listener : listeners)
        if (listener != by)
            listener->WorkspaceChanged(change);
}

} // namespace tavrin
