#include "core/settings/ConfigDialogModel.h"

#include "core/startup/ViewScale.h"

#include "core/formats/CFormatTable.h"
#include "core/formats/CFormatUtil.h"
#include "core/platform/Cp932.h"
#include "core/platform/Text.h"
#include "core/settings/CIniInfo.h"

#include <algorithm>
#include <charconv>

namespace tavrin {

namespace {

// The settings behind the check boxes, in the order of ConfigDialogModel::Check.
constexpr std::array<bool CIniInfo::*, ConfigDialogModel::CheckCount> CheckSettings = {
    &CIniInfo::DispTitleAddr, &CIniInfo::AutoFormat,    &CIniInfo::AutoPalette,
    &CIniInfo::UsePopupMenu,  &CIniInfo::SaveSmallSize, &CIniInfo::SavePosition,
};

// A whole text as a decimal number; anything else (the first item's text) is 0.
int NumberOr0(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end ? value : 0;
}

bool IsWebAddress(std::string_view url) {
    return url.starts_with("http://") || url.starts_with("https://");
}

} // namespace

ConfigDialogModel::ConfigDialogModel(int systemWheelLines) {
    const int lines = systemWheelLines == 0 ? 1 : systemWheelLines;
    // The quoted caption keeps its spelling in Japanese; the English one is spelled right.
    m_wheelItems = {TAVRIN_TR("ConfigDialog", "Windws default : ") + std::to_string(lines),
                    "1",
                    "2",
                    "4",
                    "8",
                    "16"};
}

int ConfigDialogModel::WheelIndexOf(int wheelCount) const {
    for (size_t i = 0; i < m_wheelItems.size(); ++i)
        if (NumberOr0(m_wheelItems[i]) == wheelCount)
            return static_cast<int>(i);
    return -1;
}

int ConfigDialogModel::WheelCountOf(int index, int current) const {
    if (index < 0 || index >= static_cast<int>(m_wheelItems.size()))
        return current;
    return index == 0 ? 0 : NumberOr0(m_wheelItems[static_cast<size_t>(index)]);
}

ConfigDialogModel::State ConfigDialogModel::Load(const CIniInfo& settings) const {
    State state;
    state.wheelIndex = WheelIndexOf(settings.WheelCount);
    for (size_t i = 0; i < CheckSettings.size(); ++i)
        state.checks[i] = settings.*CheckSettings[i];
    const auto& codes = LanguageCodes();
    const auto language = std::find(codes.begin(), codes.end(), settings.Desktop.Language);
    state.languageIndex = language == codes.end() ? 0 : static_cast<int>(language - codes.begin());
    const auto& scales = ScaleValues();
    const auto scale = std::find(scales.begin(), scales.end(), settings.Desktop.ViewScale);
    state.scaleIndex = scale == scales.end() ? 0 : static_cast<int>(scale - scales.begin());
    return state;
}

const std::vector<std::string>& ConfigDialogModel::LanguageCodes() {
    static const std::vector<std::string> codes = {"", "ja", "en"};
    return codes;
}

const std::vector<int>& ConfigDialogModel::ScaleValues() {
    static const std::vector<int> values = [] {
        std::vector<int> v = {0};
        v.insert(v.end(), ViewScaleChoices.begin(), ViewScaleChoices.end());
        return v;
    }();
    return values;
}

void ConfigDialogModel::Store(const State& state, CIniInfo& settings) const {
    settings.WheelCount = WheelCountOf(state.wheelIndex, settings.WheelCount);
    for (size_t i = 0; i < CheckSettings.size(); ++i)
        settings.*CheckSettings[i] = state.checks[i];
    // An index outside a list (no selection) keeps what the settings hold.
    const auto& codes = LanguageCodes();
    if (state.languageIndex >= 0 && state.languageIndex < static_cast<int>(codes.size()))
        settings.Desktop.Language = codes[static_cast<size_t>(state.languageIndex)];
    const auto& scales = ScaleValues();
    if (state.scaleIndex >= 0 && state.scaleIndex < static_cast<int>(scales.size()))
        settings.Desktop.ViewScale = scales[static_cast<size_t>(state.scaleIndex)];
}

std::vector<std::string> ConfigDialogModel::FormatLines(const CFormatTable& formats) {
    std::vector<std::string> lines;
    for (int i = 0; i < formats.Count(); ++i)
        lines.push_back(formats.ListLine(i));
    return lines;
}

std::string ConfigDialogModel::WebAddress(const CFormatTable& formats, int index) {
    const CFormat* format = formats.Get(index);
    if (index < 0 || format == nullptr)
        return {};
    const std::string url = Cp932ToUtf8(TextField(format->GetHeader().url));
    return IsWebAddress(url) ? url : std::string();
}

std::string ConfigDialogModel::InfoText(const CFormatTable& formats, int index) {
    CFormat* format = formats.Get(index);
    if (index < 0 || format == nullptr)
        return {};
    return CFormatUtil::InfoText(format);
}

} // namespace tavrin
