// Loads arbitrary bytes as a settings file, reads the settings, writes them back and checks
// that they read the same from the saved text.
#include "core/platform/IniFile.h"
#include "core/settings/CIniInfo.h"

#include <cstdlib>
#include <string>

using namespace tavrin;

namespace {

bool Same(const CIniInfo& a, const CIniInfo& b) {
    return a.GridChr == b.GridChr && a.GridEdit == b.GridEdit && a.FrameDraw == b.FrameDraw &&
           a.GridType == b.GridType && a.ZoomType == b.ZoomType && a.Statusbar == b.Statusbar &&
           a.MouseNavigation == b.MouseNavigation && a.SimpleMenu == b.SimpleMenu &&
           a.WindowColor == b.WindowColor && a.Left == b.Left && a.Top == b.Top &&
           a.WheelCount == b.WheelCount && a.DispTitleAddr == b.DispTitleAddr &&
           a.AutoFormat == b.AutoFormat && a.AutoPalette == b.AutoPalette &&
           a.UsePopupMenu == b.UsePopupMenu && a.SaveSmallSize == b.SaveSmallSize &&
           a.SavePosition == b.SavePosition;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    IniFile ini;
    if (!ini.LoadFromText(text))
        return 0;
    CIniInfo settings;
    settings.ReadFrom(ini);
    for (const auto& key : ini.SectionKeys(CIniInfo::Section))
        (void)ini.ReadString(CIniInfo::Section, key, "");

    // Settings written into the loaded file read back the same from its saved text.
    settings.WindowColor ^= 0x5A5A;
    settings.GridChr = !settings.GridChr;
    settings.WriteTo(ini);
    IniFile again;
    if (!again.LoadFromText(ini.SaveToText()))
        std::abort();
    CIniInfo back;
    back.ReadFrom(again);
    if (!Same(settings, back))
        std::abort();
    return 0;
}
