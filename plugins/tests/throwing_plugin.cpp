// A plug-in written in C++ that breaks the rule and lets exceptions out: from DecodeBlock, or
// with THROW_IN_HEADER from PluginHeaderProc. The program must survive both.
#include "tavrin_plugin.h"

#include <stdexcept>

namespace {

const TavrinFormatHeader header = {TAVRIN_PLUGIN_VERSION, 1, "Thrower", "-"};

TavrinFormatInfo MakeInfo() {
    TavrinFormatInfo info{};
    info.bitsPerPixel = 4;
    info.width = 8;
    info.height = 8;
    const char name[] = "Thrower";
    for (size_t i = 0; i < sizeof name; ++i)
        info.name[i] = name[i];
    return info;
}

const TavrinFormatInfo info = MakeInfo();

const TavrinFormatInfo* GetInfo(TavrinFormat*) {
    return &info;
}

void DecodeBlock(TavrinFormat*, TavrinTileImage* image, const TavrinBlockParams*) {
    image->bits[0] = 0x5A;
    throw std::runtime_error("decode failed");
}

void EncodeBlock(TavrinFormat*, TavrinTileImage*, const TavrinBlockParams* p) {
    p->bytes[p->address] = 0xA5;
}

const TavrinFormatOps ops = {nullptr,     GetInfo,     nullptr, nullptr, nullptr,
                             DecodeBlock, EncodeBlock, nullptr, nullptr};
TavrinFormat object = {&ops};

} // namespace

const TavrinFormatHeader* PluginHeaderProc(void) {
#ifdef THROW_IN_HEADER
    throw 42;
#endif
    return &header;
}

TavrinFormat* PluginObjectProc(void) {
    return &object;
}
