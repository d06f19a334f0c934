#pragma once

#include "core/platform/FileResult.h"
#include "core/tools/CTools.h"
#include "core/tools/ToolRunner.h"
#include "core/tools/ToolRunnerHost.h"

#include <string>

namespace tavrin {

class Editor;
class PanelView;

// The external tools of the main window: the ten tools and the settings file they live in,
// and everything a run does around the program itself (saving the document, writing the
// temporary bitmap, pasting it back, reopening the document) through the editor's and the
// workspace's public calls. The window only starts the program and waits (ToolRunnerHost).
class ToolBench : private ToolRunSteps {
public:
    // The tools are read from the editor's settings file at once; a file that exists but
    // cannot be read is reported to view. Messages go to view.
    ToolBench(Editor& editor, PanelView& view);

    CTools& Tools() { return m_tools; }
    const CTools& Tools() const { return m_tools; }

    // Reads the ten tools again (the Help menu's reload); the next command-state refresh
    // applies their captions. A file that cannot be read leaves the tools and says why.
    FileResult Load();
    // Writes the ten tools into the settings file, keeping the rest of it.
    FileResult Save() const;
    // The configuration dialog closed with OK: the tool menu is built again at once.
    void ConfigChanged();
    // False until the window has applied the tool captions and visibility after a load or a
    // configuration change; the window calls CaptionsShown() once it has.
    bool CaptionsApplied() const { return m_captionsApplied; }
    void CaptionsShown() { m_captionsApplied = true; }

    // The paths a run uses: the document, the program's folder and the temporary bitmap.
    ToolRunContext Context() const;
    // Runs tool index (0-9); host starts the program and waits for it.
    ToolRunResult Run(int index, ToolRunnerHost& host);

    // The tile image with the display palette as an 8-bit bitmap (the tools' temp.bmp).
    FileResult WriteTileBitmap(const std::string& path) const;
    // The bitmap a tool wrote back, by the snapshot load's rule, into the page's top-left
    // corner as one undo step; a file that cannot be read leaves the page and says why.
    void PasteBitmap(const std::string& path);

private:
    bool SaveDocument() override;
    bool WriteTempBitmap(const std::string& path) override;
    void ShowMessage(const std::string& text) override;
    void PasteTempBitmap(const std::string& path) override { PasteBitmap(path); }
    void ReopenDocument() override;

    Editor& m_editor;
    PanelView& m_view;
    CTools m_tools;
    bool m_captionsApplied = false;
};

} // namespace tavrin
