#include "core/tools/CTools.h"

#include "core/platform/FileIO.h"
#include "core/platform/IniFile.h"

namespace tavrin {

namespace {

std::string Key(int index, const char* suffix) {
    return "Tool" + std::to_string(index) + suffix;
}

// A line break in a name or command would end the value in the file and let the rest read
// as keys of its own; it is stored as a blank.
std::string SingleLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n')
            c = ' ';
    return text;
}

bool ReadFlag(const IniFile& ini, int index, const char* suffix) {
    return ini.ReadInteger(CTools::Section, Key(index, suffix), 0) != 0;
}

void WriteFlag(IniFile& ini, int index, const char* suffix, bool value) {
    ini.WriteInteger(CTools::Section, Key(index, suffix), value ? 1 : 0);
}

} // namespace

FileResult CTools::Load() {
    if (m_path.empty())
        return FileResult::Fail(FileFailure::NotFound, m_path);
    // The ini reader takes anything but a regular file for no file; a folder in its place is
    // a file that cannot be read, not an empty one.
    if (const PathKind kind = KindOfPath(m_path);
        kind != PathKind::Missing && kind != PathKind::RegularFile)
        return FileResult::Fail(FileFailure::NotRegular, m_path);
    IniFile ini;
    FileResult read = ini.Load(m_path);
    if (read) {
        ReadFrom(ini);
        m_known.fill(true);
    }
    return read;
}

FileResult CTools::Save() const {
    if (m_path.empty())
        return FileResult::Fail(FileFailure::NotFound, m_path);
    // A file that exists but cannot be read is left alone rather than replaced by the tools
    // alone.
    IniFile current;
    if (FileResult read = current.Load(m_path); !read)
        return read;
    // Tools that were never read (the file could not be read at the time) and that the user
    // has not set since would only blank the file's own.
    for (int i = 0; i < Count; ++i)
        if (m_known[i])
            WriteTool(current, i);
    return current.Save(m_path);
}

void CTools::ReadFrom(const IniFile& ini) {
    for (int i = 0; i < Count; ++i) {
        ToolDefinition& tool = m_tools[i];
        tool.Name = ini.ReadString(Section, Key(i, "Name"), "");
        tool.Command = ini.ReadString(Section, Key(i, "Command"), "");
        tool.Enabled = ReadFlag(ini, i, "Enabled");
        tool.SaveFile = ReadFlag(ini, i, "SaveFile");
        tool.SaveTemp = ReadFlag(ini, i, "SaveTemp");
        tool.LoadTemp = ReadFlag(ini, i, "LoadTemp");
        tool.LoadFile = ReadFlag(ini, i, "LoadFile");
    }
}

void CTools::WriteTo(IniFile& ini) const {
    for (int i = 0; i < Count; ++i)
        WriteTool(ini, i);
}

void CTools::WriteTool(IniFile& ini, int i) const {
    const ToolDefinition& tool = m_tools[i];
    ini.WriteString(Section, Key(i, "Name"), SingleLine(tool.Name));
    ini.WriteString(Section, Key(i, "Command"), SingleLine(tool.Command));
    WriteFlag(ini, i, "Enabled", tool.Enabled);
    WriteFlag(ini, i, "SaveFile", tool.SaveFile);
    WriteFlag(ini, i, "SaveTemp", tool.SaveTemp);
    WriteFlag(ini, i, "LoadTemp", tool.LoadTemp);
    WriteFlag(ini, i, "LoadFile", tool.LoadFile);
}

const ToolDefinition& CTools::GetTool(int index) const {
    return m_tools[IsValidIndex(index) ? index : 0];
}

bool CTools::SetTool(int index, const ToolDefinition& tool) {
    if (!IsValidIndex(index))
        return false;
    m_tools[index] = tool;
    m_known[index] = true;
    return true;
}

} // namespace tavrin
