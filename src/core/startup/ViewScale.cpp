#include "core/startup/ViewScale.h"

#include "core/platform/IniFile.h"

#include <algorithm>

namespace tavrin {

bool IsViewScaleChoice(int percent) {
    return std::find(ViewScaleChoices.begin(), ViewScaleChoices.end(), percent) !=
           ViewScaleChoices.end();
}

int AutomaticViewScale(double physicalDotsPerInch) {
    if (!(physicalDotsPerInch >= 48 && physicalDotsPerInch <= 1200))
        return 100;
    const double wanted = physicalDotsPerInch / 96.0 * 100.0 * 1.1;
    int best = ViewScaleChoices.front();
    for (int choice : ViewScaleChoices)
        if (choice <= wanted)
            best = choice;
    return best;
}

double ToolkitScaleFactor(int choice, double physicalDotsPerInch, double desktopRatio) {
    if (!(desktopRatio > 0))
        desktopRatio = 1;
    if (choice == 0) {
        const double automatic = AutomaticViewScale(physicalDotsPerInch) / 100.0;
        return std::max(automatic, desktopRatio) / desktopRatio;
    }
    if (!IsViewScaleChoice(choice))
        return 1;
    return choice / 100.0 / desktopRatio;
}

int ParseViewScale(const std::string& text) {
    if (text == "auto" || text == "automatic")
        return 0;
    std::string digits = text;
    if (!digits.empty() && digits.back() == '%')
        digits.pop_back();
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    int value = 0;
    if (!ParseIniInteger(digits, value))
        return -1;
    return IsViewScaleChoice(value) ? value : -1;
}

} // namespace tavrin
