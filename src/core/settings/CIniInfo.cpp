#include "core/settings/CIniInfo.h"

#include "core/platform/FileIO.h"
#include "core/platform/IniFile.h"
#include "core/platform/Text.h"

#include <filesystem>

namespace tavrin {

namespace {

// Booleans are stored as 1 and 0; any other integer reads as true.
bool ReadBool(const IniFile& ini, const char* key, bool def) {
    return ini.ReadInteger(CIniInfo::Section, key, def ? 1 : 0) != 0;
}

int ReadInt(const IniFile& ini, const char* key, int def) {
    return ini.ReadInteger(CIniInfo::Section, key, def);
}

void WriteBool(IniFile& ini, const char* key, bool value) {
    ini.WriteInteger(CIniInfo::Section, key, value ? 1 : 0);
}

void WriteInt(IniFile& ini, const char* key, int value) {
    ini.WriteInteger(CIniInfo::Section, key, value);
}

bool FileSizeOver(const std::string& path, uintmax_t limit) {
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(path, error);
    return !error && size > limit;
}

} // namespace

CIniInfo::CIniInfo() = default;
CIniInfo::~CIniInfo() = default;

bool CIniInfo::SetPath(const std::string& path) {
    auto ini = std::make_unique<IniFile>();
    m_tooLargePath.clear();
    if (path.empty() || !ini->Load(path)) {
        if (!path.empty() && FileSizeOver(path, IniFile::MaxFileBytes))
            m_tooLargePath = path;
        m_path.clear();
        m_ini.reset();
        return false;
    }
    m_path = path;
    m_ini = std::move(ini);
    ReadFrom(*m_ini);
    return true;
}

std::string CIniInfo::Warning() const {
    if (m_tooLargePath.empty())
        return {};
    return TAVRIN_TR("Settings", "設定ファイルが 1 MiB を超えているため読み込みませんでした。"
                                 "終了時にも書き込みません：\n") +
           m_tooLargePath;
}

void CIniInfo::Read() {
    if (!m_ini)
        return;
    // Other parts of the program write their own sections between reads, so the file is
    // taken as it is now.
    if (!m_ini->Load(m_path))
        return;
    ReadFrom(*m_ini);
}

FileResult CIniInfo::Write() const {
    return Update([this](IniFile& ini) { WriteTo(ini); });
}

FileResult CIniInfo::WriteRecent() const {
    return Update([this](IniFile& ini) { Recent.WriteTo(ini); });
}

FileResult CIniInfo::Update(const std::function<void(IniFile&)>& write) const {
    if (m_path.empty())
        return FileResult::Fail(FileFailure::NotFound, m_path);
    // A file that exists but cannot be read is left alone rather than replaced by these
    // eighteen keys alone.
    IniFile current;
    if (KindOfPath(m_path) == PathKind::Folder)
        return FileResult::Fail(FileFailure::NotRegular, m_path);
    if (!current.Load(m_path))
        return FileResult::Fail(FileFailure::ReadFailed, m_path);
    write(current);
    // The save-state definitions are the user's: their text stays as the user left it.
    current.KeepSectionAsLoaded("STATE");
    return current.Save(m_path);
}

void CIniInfo::ReadFrom(const IniFile& ini) {
    const CIniInfo d;
    GridChr = ReadBool(ini, "GridChr", d.GridChr);
    GridEdit = ReadBool(ini, "GridEdit", d.GridEdit);
    FrameDraw = ReadBool(ini, "FrameDraw", d.FrameDraw);
    GridType = ReadInt(ini, "GridType", d.GridType);
    ZoomType = ReadInt(ini, "ZoomType", d.ZoomType);
    Statusbar = ReadBool(ini, "Statusbar", d.Statusbar);
    MouseNavigation = ReadBool(ini, "MouseNavigation", d.MouseNavigation);
    SimpleMenu = ReadBool(ini, "SimpleMenu", d.SimpleMenu);
    WindowColor = ReadInt(ini, "WindowColor", d.WindowColor);
    Left = ReadInt(ini, "Left", d.Left);
    Top = ReadInt(ini, "Top", d.Top);
    WheelCount = ReadInt(ini, "WheelCount", d.WheelCount);
    DispTitleAddr = ReadBool(ini, "DispTitleAddr", d.DispTitleAddr);
    AutoFormat = ReadBool(ini, "AutoFormat", d.AutoFormat);
    AutoPalette = ReadBool(ini, "AutoPalette", d.AutoPalette);
    UsePopupMenu = ReadBool(ini, "UsePopupMenu", d.UsePopupMenu);
    SaveSmallSize = ReadBool(ini, "SaveSmallSize", d.SaveSmallSize);
    SavePosition = ReadBool(ini, "SavePosition", d.SavePosition);
    Desktop.ReadFrom(ini);
    Recent.ReadFrom(ini);
}

void CIniInfo::WriteTo(IniFile& ini) const {
    WriteBool(ini, "GridChr", GridChr);
    WriteBool(ini, "GridEdit", GridEdit);
    WriteBool(ini, "FrameDraw", FrameDraw);
    WriteInt(ini, "GridType", GridType);
    WriteInt(ini, "ZoomType", ZoomType);
    WriteBool(ini, "Statusbar", Statusbar);
    WriteBool(ini, "MouseNavigation", MouseNavigation);
    WriteBool(ini, "SimpleMenu", SimpleMenu);
    WriteInt(ini, "WindowColor", WindowColor);
    WriteInt(ini, "Left", Left);
    WriteInt(ini, "Top", Top);
    WriteInt(ini, "WheelCount", WheelCount);
    WriteBool(ini, "DispTitleAddr", DispTitleAddr);
    WriteBool(ini, "AutoFormat", AutoFormat);
    WriteBool(ini, "AutoPalette", AutoPalette);
    WriteBool(ini, "UsePopupMenu", UsePopupMenu);
    WriteBool(ini, "SaveSmallSize", SaveSmallSize);
    WriteBool(ini, "SavePosition", SavePosition);
    Desktop.WriteTo(ini);
    Recent.WriteTo(ini);
}

} // namespace tavrin
