#pragma once

#include "core/platform/FileResult.h"

#include <array>
#include <string>

namespace tavrin {

class IniFile;

// One external program the user registered: its menu caption, its command line with the
// placeholders %FILE, %TEMP and %EXEPATH, and what happens around its run.
struct ToolDefinition {
    std::string Name;
    std::string Command;
    bool Enabled = false;
    bool SaveFile = false; // save the document before the run
    bool LoadFile = false; // reopen the document after it
    bool SaveTemp = false; // write the temporary bitmap before the run
    bool LoadTemp = false; // paste the temporary bitmap back after it

    bool operator==(const ToolDefinition&) const = default;
};

// The ten external tools of the Tool menu, kept in the section "TOOL" of the settings file
// (keys "Tool0Name" ... "Tool9LoadFile").
class CTools {
public:
    static constexpr int Count = 10;
    static constexpr const char* Section = "TOOL";

    CTools() = default;
    explicit CTools(std::string settingsPath) : m_path(std::move(settingsPath)) {}

    void SetPath(std::string settingsPath) { m_path = std::move(settingsPath); }
    const std::string& Path() const { return m_path; }

    // Reads the ten tools from the settings file as it is now; missing keys give empty texts
    // and flags off. Fails (the tools unchanged) when there is no path (NotFound) or the file
    // exists but cannot be read.
    FileResult Load();
    // Writes the ten tools into the settings file, keeping every other section, key and
    // comment; a tool neither read from the file nor set since is left as the file has it.
    // Fails when there is no path or the file cannot be read or written.
    FileResult Save() const;

    // The same two steps on an ini object, without the file.
    void ReadFrom(const IniFile& ini);
    void WriteTo(IniFile& ini) const;

    // Tool index; an index outside 0-9 gives tool 0, as the menu always did.
    const ToolDefinition& GetTool(int index) const;
    // Stores tool index; an index outside 0-9 changes nothing and gives false.
    bool SetTool(int index, const ToolDefinition& tool);

    static bool IsValidIndex(int index) { return index >= 0 && index < Count; }

private:
    void WriteTool(IniFile& ini, int index) const;

    std::string m_path;
    std::array<ToolDefinition, Count> m_tools;
    // Which tools hold what the file had or what the user set.
    std::array<bool, Count> m_known{};
};

} // namespace tavrin
