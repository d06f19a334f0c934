#include "core/editor/Editor.h"

#include "core/platform/FileIO.h"
#include "core/platform/Text.h"

// The document's file actions, its companion files, and the palette, palette-set and
// pattern files.

namespace tavrin {

void Editor::FileNew() {
    if (!ConfirmDiscard())
        return;
    m_ws.NewDocument(this);
    SetChrScrollRange();
    m_ws.SetAddress(m_ws.Document().StartAddress(), this);
    ShowPage();
    RefreshCommandStates();
}

FileResult Editor::OpenRom(const std::string& path, bool fresh) {
    // The document takes the new path only with its bytes: a file that cannot be read leaves
    // the old document, name included, so a later save cannot put the old bytes under the
    // new name.
    FileResult read = m_ws.OpenRom(path, this);
    if (!read) {
        m_view.ReportFailure(read, FileAction::Open);
        return read;
    }
    SetChrScrollRange();
    if (fresh && m_settings.AutoFormat) {
        SelectFormat(m_ws.Formats().FindByExtension(m_ws.Document().FileName()));
    }
    RefreshCommandStates();

    if (fresh)
        m_ws.SetAddress(m_ws.Document().StartAddress(), this);
    if (LoadCompanionFiles(path, true)) {
        RebuildDisplayPalette();
        RedrawPaletteViews();
    }
    m_appTitle = std::string(AppTitle) + " " + m_ws.Document().FileName();
    m_view.SetApplicationTitle(m_appTitle);
    ShowPage();
    RefreshCommandStates();
    return read;
}

void Editor::FileReload(bool ask) {
    if (ask && m_ws.IsModified() && !m_view.AskDiscardChanges())
        return;
    OpenRom(m_ws.Document().FilePath(), false);
}

bool Editor::ConfirmDiscard() {
    if (!m_ws.IsModified())
        return true;
    switch (m_view.AskSaveChanges()) {
    case SaveAnswer::Save:
        return static_cast<bool>(WriteRom(m_ws.Document().FilePath()));
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

void Editor::FileSave() {
    WriteRom(m_ws.Document().FilePath());
}

void Editor::FileSaveAs(const std::string& path) {
    // A document that could not be written there keeps its old name.
    if (!WriteRom(path))
        return;
    m_ws.RenameDocument(path, this);
    m_appTitle = std::string(AppTitle) + " " + m_ws.Document().FileName();
    m_view.SetApplicationTitle(m_appTitle);
    ShowPage();
}

FileResult Editor::WriteRom(const std::string& path) {
    const RomDocument& doc = m_ws.Document();
    // Drawn bytes past the end of a small file would be left out of it: the user decides.
    const int length = doc.WriteLength(m_settings.SaveSmallSize);
    const int lastChange = doc.LastChangeFrom(length);
    if (lastChange >= 0) {
        switch (m_view.AskExtendFile()) {
        case ExtendAnswer::Extend: {
            const int pageEnd = m_ws.Address() + m_ws.Page().pageBytes;
            if (!m_ws.ExtendDocument(std::max(lastChange + 1, pageEnd), this))
                m_ws.ExtendDocument(lastChange + 1, this);
            SetChrScrollRange();
            break;
        }
        case ExtendAnswer::OriginalSize:
            break;
        case ExtendAnswer::Cancel:
            return FileResult::Fail(FileFailure::Cancelled, path);
        }
    }
    // Saving in place never cuts a longer file; saving as another file replaces it whole.
    const ExistingTail tail = path == doc.FilePath() ? ExistingTail::Keep : ExistingTail::Drop;
    FileResult colourSet;
    FileResult written = m_ws.SaveRom(path, m_settings.SaveSmallSize, &colourSet, tail);
    ReportFailure(written ? colourSet : written);
    ShowCaption();
    return written;
}

void Editor::ReportFailure(const FileResult& result) {
    if (!result && result.failure != FileFailure::Cancelled)
        m_view.ReportFailure(result, FileAction::Save);
}

void Editor::DropFiles(const std::vector<std::string>& paths) {
    if (!paths.empty() && ConfirmDiscard())
        OpenRom(paths.front(), true);
}

bool Editor::LoadCompanionFiles(const std::string& path, bool withColourSet) {
    const bool wasEnabled = m_ws.IsColourSetEnabled();
    const CompanionLoad loaded = m_ws.LoadCompanionFiles(path, withColourSet, this);
    // The tool tips name the files the panels show; the palette-set panel's names the
    // palette it had when its own file came.
    if (loaded.dat) {
        m_datHint = RomDocument::CompanionPath(path, RomDocument::Companion::Dat);
        m_view.SetToolTip(HintTarget::DatPanel, m_datHint + "\n" + m_palHint);
    }
    if (loaded.pal) {
        m_palHint = RomDocument::CompanionPath(path, RomDocument::Companion::Pal);
        m_view.SetToolTip(HintTarget::PalPanel, m_palHint);
    }
    if (loaded.adf) {
        m_view.SetToolTip(HintTarget::PatternList,
                          RomDocument::CompanionPath(path, RomDocument::Companion::Adf));
        RefillPatternList();
        SelectPattern(0);
    }
    // The colour-set switch's check mark and the pen it shows follow at once.
    if (wasEnabled != m_ws.IsColourSetEnabled())
        RefreshCommandStates();
    return loaded.Any();
}

void Editor::RefillPatternList() {
    m_ws.EditPatterns([](CAdfPattern& patterns) { patterns.EnsureNormal(); }, this);
    m_view.SetPatternList(m_ws.Patterns().NameList());
}

void Editor::PatternDialogClosed(const CAdfPattern& edited) {
    m_ws.EditPatterns([&edited](CAdfPattern& patterns) { patterns = edited; }, this);
    RefillPatternList();
    SelectPattern(0);
}

// ---- Palette set (.dat), palette (.pal), patterns (.adf) ----

void Editor::OpenCompanion(RomDocument::Companion kind, const std::string& path) {
    if (kind == RomDocument::Companion::Col)
        return;
    const FileResult read = m_ws.LoadCompanion(kind, path, this);
    switch (kind) {
    case RomDocument::Companion::Dat:
        m_datHint = path;
        m_view.SetToolTip(HintTarget::DatPanel, m_datHint + "\n" + m_palHint);
        break;
    case RomDocument::Companion::Pal:
        m_palHint = path;
        m_view.SetToolTip(HintTarget::PalPanel, m_palHint);
        break;
    case RomDocument::Companion::Adf:
        m_view.SetToolTip(HintTarget::PatternList, path);
        RefillPatternList();
        SelectPattern(0);
        break;
    case RomDocument::Companion::Col:
        break;
    }
    if (kind != RomDocument::Companion::Adf) {
        RebuildDisplayPalette();
        Redraw();
    }
    // What could be read is shown all the same; the user hears why the rest could not.
    if (!read)
        m_view.ReportFailure(read, FileAction::Open);
}

void Editor::SaveCompanion(RomDocument::Companion kind, const std::string& path) {
    switch (kind) {
    case RomDocument::Companion::Dat:
        return ReportFailure(m_ws.PaletteSet().SaveToFile(path));
    case RomDocument::Companion::Pal:
        return ReportFailure(m_ws.Palette().SaveToFile(path));
    case RomDocument::Companion::Adf:
        return ReportFailure(m_ws.Patterns().SaveToFile(path));
    case RomDocument::Companion::Col:
        return;
    }
}

void Editor::SaveCompanionBesideRom(RomDocument::Companion kind) {
    SaveCompanion(kind, RomDocument::CompanionPath(m_ws.Document().FilePath(), kind));
}

// ---- Standard state ----

void Editor::PaletteReload() {
    m_ws.SelectPattern(0, this);
    m_view.SetPatternIndex(0);
    LoadCompanionFiles(m_paths.standardFiles, false);
    RebuildDisplayPalette();
    Redraw();
}

} // namespace tavrin
