#pragma once

#include "core/nav/RecentFiles.h"
#include "core/platform/FileResult.h"
#include "core/startup/DesktopSettings.h"

#include <functional>
#include <memory>
#include <string>

namespace tavrin {

class IniFile;

// The main window's display and behaviour options, kept in the section "Tavrin" of the
// settings file between runs. The window and the settings dialog use the fields directly.
class CIniInfo {
public:
    static constexpr const char* Section = "Tavrin";

    CIniInfo();
    ~CIniInfo();
    CIniInfo(const CIniInfo&) = delete;
    CIniInfo& operator=(const CIniInfo&) = delete;

    // Opens the settings file and reads it. When the file exists but cannot be read the
    // path is set back to empty, the fields keep their values and nothing is written later.
    bool SetPath(const std::string& path);
    const std::string& Path() const { return m_path; }
    // What the window should tell the user about the settings file after SetPath, or "" when
    // nothing: a file larger than IniFile::MaxFileBytes is neither read nor written at exit,
    // and the user should hear why their settings did not apply.
    std::string Warning() const;

    // Reads the eighteen keys from the file as it is now; keys that are missing or not
    // integers take the defaults.
    void Read();
    // Writes the eighteen keys into the file as it is now, keeping every other section, key
    // and comment. False when there is no path or the file cannot be read or written.
    FileResult Write() const;
    // Writes the recent files alone, as they change, so that a crash does not lose them.
    FileResult WriteRecent() const;

    // The same two steps on an ini object, without the file.
    void ReadFrom(const IniFile& ini);
    void WriteTo(IniFile& ini) const;

    // The settings, in the order of the file.
    bool GridChr = false;
    bool GridEdit = false;
    bool FrameDraw = false;
    int GridType = 0;
    int ZoomType = 3;
    bool Statusbar = true;
    bool MouseNavigation = true;
    bool SimpleMenu = true;
    int WindowColor = -1;
    int Left = 0;
    int Top = 0;
    int WheelCount = 0;
    bool DispTitleAddr = true;
    bool AutoFormat = true;
    bool AutoPalette = true;
    bool UsePopupMenu = false;
    bool SaveSmallSize = true;
    bool SavePosition = false;

    // Follows the halftone box; never stored, so it starts false on every run.
    bool Halftone = false;

    // Language and view scale, in a section of their own; read at start, before the window.
    DesktopSettings Desktop;
    // The files opened last, with their places, in a section of their own.
    RecentFiles Recent;

private:
    // The file as it is now, changed by write and saved.
    FileResult Update(const std::function<void(IniFile&)>& write) const;

    std::string m_path;
    std::string m_tooLargePath; // the settings file when it was too large to read
    std::unique_ptr<IniFile> m_ini;
};

} // namespace tavrin
