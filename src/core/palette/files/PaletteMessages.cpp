#include "core/palette/files/PaletteFormat.h"

#include "core/platform/Text.h"

namespace tavrin {

namespace {

std::string FormatName(const PaletteRead& read) {
    return InfoOf(read.format).name;
}

} // namespace

std::string DescribePaletteProblem(const PaletteRead& read) {
    switch (read.problem) {
    case PaletteProblem::None:
        return {};
    case PaletteProblem::Unrecognised:
        return "not a palette file of a known format; expected " + read.expected;
    case PaletteProblem::Ambiguous:
        return "the file fits several palette formats (" + read.expected + "); choose the format";
    case PaletteProblem::WrongHeader:
        return "not a " + FormatName(read) + " palette: expected the first line " + read.expected;
    case PaletteProblem::BadLine:
        return FormatName(read) + " palette: line " + std::to_string(read.line) +
               " is not a colour (expected " + read.expected + ")";
    case PaletteProblem::NoColours:
        return "the " + FormatName(read) + " palette holds no colours";
    case PaletteProblem::NoPalette:
        return "the image has no palette; expected an indexed PNG or BMP";
    case PaletteProblem::BadImage:
        return "the image is damaged: " + read.expected;
    }
    return {};
}

std::vector<std::string> DescribePaletteWarnings(const PaletteRead& read) {
    std::vector<std::string> lines;
    if (!read)
        return lines;
    if (read.IsShort())
        lines.push_back("the file holds " + std::to_string(read.contents.Count()) + " of " +
                        std::to_string(read.expectedCount) + " entries; only those were read");
    if (read.ignoredBytes > 0)
        lines.push_back(std::to_string(read.ignoredBytes) + " bytes past the palette were ignored");
    return lines;
}

std::string PaletteProblemMessage(const PaletteRead& read) {
    switch (read.problem) {
    case PaletteProblem::None:
        return {};
    case PaletteProblem::Unrecognised:
        return FillText(
            TAVRIN_TR("PaletteFiles",
                      "対応する形式のパレットファイルではありません。\n期待した形式: %1"),
            {read.expected});
    case PaletteProblem::Ambiguous:
        return FillText(TAVRIN_TR("PaletteFiles", "複数の形式に当てはまります（%1）。\n"
                                                  "ファイルの種類で形式を選んでください。"),
                        {read.expected});
    case PaletteProblem::WrongHeader:
        return FillText(TAVRIN_TR("PaletteFiles", "%1 のパレットではありません。\n"
                                                  "1 行目は %2 のはずです。"),
                        {FormatName(read), read.expected});
    case PaletteProblem::BadLine:
        return FillText(TAVRIN_TR("PaletteFiles", "%1 のパレットの %2 行目が色ではありません"
                                                  "（期待: %3）。"),
                        {FormatName(read), std::to_string(read.line), read.expected});
    case PaletteProblem::NoColours:
        return FillText(TAVRIN_TR("PaletteFiles", "%1 のパレットに色がありません。"),
                        {FormatName(read)});
    case PaletteProblem::NoPalette:
        return TAVRIN_TR(
            "PaletteFiles",
            "画像にパレットがありません。\nインデックスカラーの PNG か BMP が必要です。");
    case PaletteProblem::BadImage:
        return FillText(TAVRIN_TR("PaletteFiles", "画像が壊れています（%1）。"), {read.expected});
    }
    return {};
}

std::vector<std::string> PaletteWarningMessages(const PaletteRead& read) {
    std::vector<std::string> lines;
    if (!read)
        return lines;
    if (read.IsShort())
        lines.push_back(
            FillText(TAVRIN_TR("PaletteFiles", "ファイルには %2 個のうち %1 個しかありません。"
                                               "あるだけ読み込みました。"),
                     {std::to_string(read.contents.Count()), std::to_string(read.expectedCount)}));
    if (read.ignoredBytes > 0)
        lines.push_back(
            FillText(TAVRIN_TR("PaletteFiles", "パレットの後の %1 バイトは無視しました。"),
                     {std::to_string(read.ignoredBytes)}));
    return lines;
}

std::string DescribeLeftOut(PaletteFormat format, size_t count) {
    const size_t kept = PaletteCapacity(format, count);
    if (kept >= count)
        return {};
    return std::to_string(count - kept) + " entries past the " + std::to_string(kept) + " that " +
           InfoOf(format).name + " holds were left out";
}

std::string LeftOutMessage(PaletteFormat format, size_t count) {
    const size_t kept = PaletteCapacity(format, count);
    if (kept >= count)
        return {};
    return FillText(TAVRIN_TR("PaletteFiles", "%1 には %2 個までしか入らないため、"
                                              "残りの %3 個は書き出していません。"),
                    {InfoOf(format).name, std::to_string(kept), std::to_string(count - kept)});
}

} // namespace tavrin
