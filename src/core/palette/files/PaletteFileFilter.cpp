#include "core/palette/files/PaletteFileFilter.h"

#include "core/platform/Text.h"

#include <algorithm>
#include <vector>

namespace tavrin {

namespace {

std::string Patterns(const PaletteFormatInfo& info) {
    std::string text;
    for (std::string_view ext : info.extensions)
        text += (text.empty() ? "*" : ";*") + std::string(ext);
    return text;
}

} // namespace

std::string PaletteFileFilter(bool save) {
    std::string filter;
    if (!save) {
        std::vector<std::string_view> seen;
        std::string all;
        for (const PaletteFormatInfo& info : PaletteFormats())
            for (std::string_view ext : info.extensions)
                if (std::find(seen.begin(), seen.end(), ext) == seen.end()) {
                    seen.push_back(ext);
                    all += (all.empty() ? "*" : ";*") + std::string(ext);
                }
        filter = TAVRIN_TR("PaletteFiles", "パレットファイル (形式を自動判別)") + "|" + all;
    }
    for (const PaletteFormatInfo& info : PaletteFormats()) {
        if (!filter.empty())
            filter += "|";
        filter += std::string(info.title) + " (" + info.name + ")|" + Patterns(info);
    }
    if (!save)
        filter += "|" + TAVRIN_TR("PaletteFiles", "全てのファイル") + "|*.*";
    return filter;
}

std::optional<PaletteFormat> PaletteFormatOfFilter(int index, bool save) {
    const int first = save ? 0 : 1;
    const int k = index - first;
    if (k < 0 || k >= static_cast<int>(PaletteFormats().size()))
        return std::nullopt;
    return PaletteFormats()[static_cast<size_t>(k)].format;
}

std::string DefaultPaletteExtension(PaletteFormat format) {
    return std::string(InfoOf(format).extensions.front().substr(1));
}

} // namespace tavrin
