#include "core/formats/BuiltinFormats.h"

namespace tavrin {

void InitBuiltinRecords(FormatHeader& header, FormatInfo& info, const BuiltinProperties& props) {
    header = FormatHeader{};
    header.version = 3;
    header.revision = 1;
    CopyText(header.author, "-");
    CopyText(header.url, "-");
    info = FormatInfo{};
    info.bitsPerPixel = props.bitsPerPixel;
    info.width = props.width;
    info.height = props.height;
    info.autoPaletteMode = props.autoPaletteMode;
    info.defaultPaletteMode = props.defaultPaletteMode;
    info.disableAdfPattern = props.disableAdfPattern;
    CopyText(info.name, props.name);
    CopyText(info.extensions, props.extensions);
}

CFormat_1bpp::CFormat_1bpp() : CFormatCodec({"1BPP", 1, 8, 8, "bin", 0, 0, 0}) {}

CFormat_2NES::CFormat_2NES() : CFormatCodec({"2BPP NES", 2, 8, 8, "chr,nes,fds,fam", 1, 0, 0}) {}

CFormat_2GB::CFormat_2GB() : CFormatCodec({"2BPP GB", 2, 8, 8, "gb,gbc", 1, 0, 0}) {}

CFormat_2NGP::CFormat_2NGP() : CFormatCodec({"2BPP NGP", 2, 8, 8, "ngp,npc,ngc", 1, 0, 0}) {}

CFormat_2VB::CFormat_2VB() : CFormatCodec({"2BPP VB", 2, 8, 8, "vb", 1, 0, 0}) {}

CFormat_2MSX::CFormat_2MSX() : CFormatCodec({"2BPP MSX", 2, 8, 8, "", 1, 0, 0}) {}

int32_t CFormat_2MSX::TileAddress(int32_t blockAddress, int tileIndex, int /*bytesPerTile*/) const {
    return static_cast<int32_t>(int64_t{blockAddress} + int64_t{tileIndex / 4} * 64 +
                                (tileIndex % 4) * 8);
}

CFormat_3SNES::CFormat_3SNES() : CFormatCodec({"3BPP SNES", 3, 8, 8, "smc,sfc,fig", 1, 1, 0}) {}

CFormat_4SNES::CFormat_4SNES()
    : CFormatCodec({"4BPP SNES/PCE CG", 4, 8, 8, "smc,sfc,fig,pce", 1, 1, 0}) {}

CFormat_4GBA::CFormat_4GBA() : CFormatCodec({"4BPP GBA", 4, 8, 8, "gba", 1, 1, 0}) {}

CFormat_4SMS::CFormat_4SMS()
    : CFormatCodec({"4BPP SMS/GG/WSC", 4, 8, 8, "sms,gg,ws,wsc", 1, 1, 0}) {}

CFormat_4MSX::CFormat_4MSX() : CFormatCodec({"4BPP MSX/MD/WSC", 4, 8, 8, "rom,smd", 1, 1, 0}) {}

CFormat_4PceSG::CFormat_4PceSG()
    : CFormatCodec({"4BPP PCE SG(16x16)", 4, 16, 16, "pce", 1, 1, 1}) {}

CFormat_1bpp16::CFormat_1bpp16() : CFormatCodec({"1BPP (16x16)", 1, 16, 16, "", 0, 0, 1}) {}

} // namespace tavrin
