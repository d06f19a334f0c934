#include "core/tools/ToolBench.h"

#include "core/dib/BitmapFile.h"
#include "core/editor/Editor.h"
#include "core/editor/EditorView.h"
#include "core/platform/FailureText.h"
#include "core/tools/ToolTempFolder.h"
#include "core/workspace/ImageIndices.h"

namespace tavrin {

ToolBench::ToolBench(Editor& editor, PanelView& view)
    : m_editor(editor), m_view(view), m_tools(editor.Paths().settingsFile) {
    // No settings file is normal, and one over the size limit the settings' own warning
    // names already; any other file that kept the tools from being read is said.
    const FileResult read = Load();
    if (!read && !m_tools.Path().empty() && read.failure != FileFailure::TooLarge)
        m_view.ReportFailure(read, FileAction::Open);
}

FileResult ToolBench::Load() {
    m_captionsApplied = false;
    return m_tools.Load();
}

FileResult ToolBench::Save() const {
    return m_tools.Save();
}

void ToolBench::ConfigChanged() {
    m_captionsApplied = false;
    m_editor.RefreshCommandStates();
}

ToolRunContext ToolBench::Context() const {
    ToolRunContext context;
    context.documentPath = m_editor.Space().Document().FilePath();
    // %EXEPATH names the program's own folder, also when its data lies elsewhere.
    context.executableDir = m_editor.Paths().programFolder;
    context.tempBitmapPath = ToolTempBitmapPath(m_editor.Paths().tempFolder);
    return context;
}

ToolRunResult ToolBench::Run(int index, ToolRunnerHost& host) {
    ToolRunner runner(*this, host, m_tools);
    return runner.Run(index, Context());
}

FileResult ToolBench::WriteTileBitmap(const std::string& path) const {
    // The tile image carries the display palette.
    return WriteBitmapFile(path, m_editor.Space().TileImage());
}

void ToolBench::PasteBitmap(const std::string& path) {
    Image8 image;
    std::string detail;
    const FileResult read =
        BitmapFileIndices(path, m_editor.Space(), OtherColours::Reduce, image, detail);
    if (!read) {
        if (detail.empty())
            m_view.ReportFailure(read, FileAction::Open);
        else
            m_view.ShowMessage(path + ":\n" + detail);
        return;
    }
    m_editor.LoadSnapshot(image);
}

bool ToolBench::SaveDocument() {
    return static_cast<bool>(m_editor.WriteRom(m_editor.Space().Document().FilePath()));
}

bool ToolBench::WriteTempBitmap(const std::string& path) {
    return static_cast<bool>(WriteTileBitmap(path));
}

void ToolBench::ShowMessage(const std::string& text) {
    m_view.ShowMessage(text);
}

void ToolBench::ReopenDocument() {
    m_editor.FileReload();
}

} // namespace tavrin
