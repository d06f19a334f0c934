#include "core/formats/CFormatUtil.h"

#include "core/formats/CFormat.h"
#include "core/platform/Cp932.h"
#include "core/platform/Text.h"

namespace tavrin {

namespace {

const char* Truth(uint8_t value) {
    return value == 1 ? "true" : "false";
}

} // namespace

std::string CFormatUtil::InfoText(CFormat* format) {
    if (format == nullptr)
        return "* NO INFO *";
    const FormatInfo* info = nullptr;
    try {
        info = format->GetInfo();
    } catch (...) {
        info = nullptr;
    }
    if (info == nullptr)
        return "* NO INFO *";
    const FormatHeader& header = format->GetHeader();

    std::string text;
    const auto line = [&text](const std::string& label, const std::string& value) {
        text += label;
        text += value;
        text += '\n';
    };
    using std::to_string;
    line("Format name           \t: ", format->Name());
    text += '\n';
    line("Bit Per Pixel         \t: ", to_string(info->bitsPerPixel));
    line("Color                 \t: ", to_string(format->Colours()));
    // The quoted labels keep their spelling in Japanese; the English ones are spelled right.
    line(TAVRIN_TR("FormatInfo", "Charactor width       \t: "), to_string(info->width));
    line(TAVRIN_TR("FormatInfo", "Charactor height      \t: "), to_string(info->height));
    line("Compress              \t: ", Truth(info->compress));
    line("Load only             \t: ", Truth(info->loadOnly));
    text += '\n';
    line("Auto palette mode     \t: ", Truth(info->autoPaletteMode));
    line("Default palette mode  \t: ", to_string(info->defaultPaletteMode));
    line("Disable ADF pattern   \t: ", Truth(info->disableAdfPattern));
    text += '\n';
    line("Index mode            \t: ", Truth(info->indexMode));
    line("Max index             \t: ", to_string(info->maxIndex));
    text += '\n';
    line("Extensions           \t: ", Cp932ToUtf8(TextField(info->extensions)));
    text += '\n';
    line("Plugin author         \t: ", Cp932ToUtf8(TextField(header.author)));
    line("Plugin URL            \t: ", Cp932ToUtf8(TextField(header.url)));
    return text;
}

} // namespace tavrin
