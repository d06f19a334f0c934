#pragma once

#include <string>
#include <vector>

namespace tavrin {

// What running an external tool needs from the program around it: starting a process and
// holding the user until the tool is done. The window implements it; tests record the calls.
class ToolRunnerHost {
public:
    virtual ~ToolRunnerHost() = default;

    // Starts program with the arguments, detached, without a shell and without waiting;
    // true when the process started.
    virtual bool StartDetached(const std::string& program,
                               const std::vector<std::string>& arguments) = 0;
    // The modal message box that holds the program until the user presses OK.
    virtual void WaitForTool(const std::string& text) = 0;
};

// The work around a run on the document and the temporary bitmap, done by the core
// (ToolBench) on the editor it serves.
class ToolRunSteps {
public:
    virtual ~ToolRunSteps() = default;

    // Writes the ROM document to its path (with the colour set while it is enabled); false
    // when it could not be written.
    virtual bool SaveDocument() = 0;
    // Writes the tile image as an 8-bit bitmap with the display palette to path, replacing
    // an existing file; false when it could not be written.
    virtual bool WriteTempBitmap(const std::string& path) = 0;
    // A plain message box.
    virtual void ShowMessage(const std::string& text) = 0;
    // Pastes the bitmap at path into the page's top-left corner as loading a snapshot does:
    // written back into the document as one undo step, views redrawn.
    virtual void PasteTempBitmap(const std::string& path) = 0;
    // Reopens the document from its path, keeping the current address.
    virtual void ReopenDocument() = 0;
};

} // namespace tavrin
