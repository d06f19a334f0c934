#include "core/editor/Editor.h"

#include "core/platform/FileIO.h"

// Palette files of other programs and console colour memories, in and out of the palettes.

namespace tavrin {

namespace {

// Whether the user has a choice of where a format's entries go.
bool HasChoice(PaletteFormat format) {
    return CanUsePaletteSet(format) && CanUseMasterPalette(format);
}

} // namespace

void Editor::PaletteImportOther(const std::string& path, std::optional<PaletteFormat> format,
                                ChannelExpansion expansion) {
    PaletteOptions options;
    options.expansion = expansion;
    const PaletteLoad load = LoadPaletteFile(path, format, options);
    if (!load.file) {
        if (load.read.problem != PaletteProblem::None)
            m_view.ShowMessage(path + "\n" + PaletteProblemMessage(load.read));
        else
            m_view.ReportFailure(load.file, FileAction::Open);
        return;
    }
    PaletteDestination destination = DefaultDestination(load.read.format);
    if (HasChoice(load.read.format)) {
        const std::optional<PaletteDestination> chosen = m_view.AskPaletteDestination(true);
        if (!chosen)
            return;
        destination = *chosen;
    }
    m_ws.ImportPalette(load.read.contents, destination, this);
    m_palHint = path;
    m_view.SetToolTip(HintTarget::PalPanel, m_palHint);
    RebuildDisplayPalette();
    Redraw();
    RefreshCommandStates();
    const std::vector<std::string> warnings = PaletteWarningMessages(load.read);
    if (!warnings.empty()) {
        std::string text = path;
        for (const std::string& line : warnings)
            text += "\n" + line;
        m_view.ShowMessage(text);
    }
}

void Editor::PaletteExportOther(const std::string& path, PaletteFormat format) {
    PaletteDestination source = DefaultDestination(format);
    if (HasChoice(format)) {
        const std::optional<PaletteDestination> chosen = m_view.AskPaletteDestination(false);
        if (!chosen)
            return;
        source = *chosen;
    }
    PaletteOptions options;
    std::string ext = ExtensionPart(path);
    for (char& c : ext)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    options.imageAsPng = ext != ".bmp";
    const PaletteContents contents =
        ContentsToWrite(format, source, m_ws.Palette(), m_ws.PaletteSet());
    const FileResult written = SavePaletteFile(path, contents, format, options);
    ReportFailure(written);
    if (written)
        if (const std::string leftOut = LeftOutMessage(format, contents.Count()); !leftOut.empty())
            m_view.ShowMessage(path + "\n" + leftOut);
}

} // namespace tavrin
