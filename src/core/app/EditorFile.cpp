#include "core/app/Editor.h"

#include "core/platform/FileIO.h"

// The document's file actions, its companion files, and the palette, palette-set and
// pattern files.

namespace tavrin {

void Editor::FileNew() {
    m_doc.New();
    SetChrScrollRange();
    m_address = m_doc.StartAddress();
    ShowPage();
    m_undo.Reset();
    RefreshCommandStates();
}

bool Editor::OpenRom(const std::string& path, bool fresh) {
    if (!FileExists(path))
        return false;
    // The document takes the new path only with its bytes: a file that exists but cannot
    // be read leaves the old document, name included, so a later save cannot put the old
    // bytes under the new name.
    if (!m_doc.ReadRom(path)) {
        m_view.Beep();
        return true;
    }
    SetChrScrollRange();
    if (fresh && m_settings.AutoFormat) {
        SelectFormat(m_formats.FindByExtension(m_doc.FileName()));
    }
    m_undo.Reset();
    RefreshCommandStates();

    if (fresh)
        m_address = m_doc.StartAddress();
    if (LoadCompanionFiles(path, true)) {
        RebuildDisplayPalette();
        RedrawDatView();
        RedrawPalView();
    }
    m_appTitle = std::string(AppTitle) + " " + m_doc.FileName();
    m_view.SetApplicationTitle(m_appTitle);
    ShowPage();
    RefreshCommandStates();
    return true;
}

void Editor::FileReload() {
    OpenRom(m_doc.FilePath(), false);
}

void Editor::FileSave() {
    WriteRom(m_doc.FilePath());
}

void Editor::FileSaveAs(const std::string& path) {
    // A document that could not be written there keeps its old name.
    if (!WriteRom(path))
        return;
    m_doc.SetFilePath(path);
    ShowPage();
}

bool Editor::WriteRom(const std::string& path) {
    if (!m_doc.WriteRom(path, m_settings.SaveSmallSize)) {
        m_view.Beep();
        return false;
    }
    if (m_colourSetEnabled) {
        m_colSet.SetHeader(m_datPalette.Table());
        if (m_colSet.BufferSize() > 0 &&
            !m_colSet.SaveToFile(RomDocument::CompanionPath(path, RomDocument::Companion::Col)))
            m_view.Beep();
    }
    return true;
}

void Editor::DropFiles(const std::vector<std::string>& paths) {
    if (!paths.empty())
        OpenRom(paths.front(), true);
}

std::string Editor::RomFileFilter() const {
    std::string filter = "ROM image|@@@|All files|*.*";
    const std::string patterns = m_formats.ExtensionPatterns();
    for (size_t at = filter.find("@@@"); at != std::string::npos;
         at = filter.find("@@@", at + patterns.size()))
        filter.replace(at, 3, patterns);
    return filter;
}

std::string Editor::DocumentPathWithExtension(const std::string& ext) const {
    return ReplaceExtension(m_doc.FilePath(), ext);
}

bool Editor::LoadCompanionFiles(const std::string& path, bool withColourSet) {
    bool loaded = false;
    const std::string dat = RomDocument::CompanionPath(path, RomDocument::Companion::Dat);
    if (m_datPalette.LoadFromFile(dat)) {
        loaded = true;
        m_datHint = dat;
        m_view.SetToolTip(HintTarget::DatPanel, m_datHint + "\n" + m_palHint);
    }
    const std::string pal = RomDocument::CompanionPath(path, RomDocument::Companion::Pal);
    if (m_palette.LoadFromFile(pal)) {
        loaded = true;
        m_palHint = pal;
        m_view.SetToolTip(HintTarget::PalPanel, m_palHint);
    }
    const std::string adf = RomDocument::CompanionPath(path, RomDocument::Companion::Adf);
    if (m_patterns.LoadFromFile(adf)) {
        loaded = true;
        m_view.SetToolTip(HintTarget::PatternList, adf);
        RefillPatternList();
        SelectPattern(0);
    }

    const bool wasEnabled = m_colourSetEnabled;
    m_colSet.Resize(m_doc.DataSize(), FormatTileBytes());
    m_colourSetEnabled = false;
    const std::string col = RomDocument::CompanionPath(path, RomDocument::Companion::Col);
    if (withColourSet && m_colSet.LoadFromFile(col)) {
        loaded = true;
        if (const uint8_t* header = m_colSet.Header())
            m_datPalette.SetTable(header, CColSet::HeaderSize);
        m_colourSetEnabled = true;
    }
    // The colour-set switch's check mark and the pen it shows follow at once.
    if (wasEnabled != m_colourSetEnabled)
        RefreshCommandStates();
    return loaded;
}

void Editor::RefillPatternList() {
    m_patterns.EnsureNormal();
    m_view.SetPatternList(m_patterns.NameList());
}

void Editor::PatternDialogClosed() {
    RefillPatternList();
    SelectPattern(0);
}

// ---- Palette set (.dat) ----

void Editor::PaletteDatOpen(const std::string& path) {
    m_datPalette.LoadFromFile(path);
    m_datHint = path;
    m_view.SetToolTip(HintTarget::DatPanel, m_datHint + "\n" + m_palHint);
    RebuildDisplayPalette();
    Redraw();
}

void Editor::PaletteDatSave(const std::string& path) {
    if (!m_datPalette.SaveToFile(path))
        m_view.Beep();
}

void Editor::PaletteDatSaveRom() {
    PaletteDatSave(RomDocument::CompanionPath(m_doc.FilePath(), RomDocument::Companion::Dat));
}

// ---- Palette (.pal) ----

void Editor::PalettePalOpen(const std::string& path) {
    m_palette.LoadFromFile(path);
    m_palHint = path;
    m_view.SetToolTip(HintTarget::PalPanel, m_palHint);
    RebuildDisplayPalette();
    Redraw();
}

void Editor::PalettePalSave(const std::string& path) {
    if (!m_palette.SaveToFile(path))
        m_view.Beep();
}

void Editor::PalettePalSaveRom() {
    PalettePalSave(RomDocument::CompanionPath(m_doc.FilePath(), RomDocument::Companion::Pal));
}

// ---- Patterns (.adf) ----

void Editor::PaletteAdfOpen(const std::string& path) {
    m_patterns.LoadFromFile(path);
    m_view.SetToolTip(HintTarget::PatternList, path);
    RefillPatternList();
    SelectPattern(0);
}

void Editor::PaletteAdfSave(const std::string& path) {
    if (!m_patterns.SaveToFile(path))
        m_view.Beep();
}

void Editor::PaletteAdfSaveRom() {
    PaletteAdfSave(RomDocument::CompanionPath(m_doc.FilePath(), RomDocument::Companion::Adf));
}

// ---- Standard state ----

void Editor::PaletteReload() {
    m_patternIndex = 0;
    m_pattern = &m_patterns.GetPattern(0);
    m_view.SetPatternIndex(0);
    LoadCompanionFiles(m_exePath, false);
    RebuildDisplayPalette();
    Redraw();
}

void Editor::PaletteEdited() {
    RebuildDisplayPalette();
    Redraw();
}

} // namespace tavrin
