// Palette files of other programs from outside: the JASC-PAL, GIMP, hexadecimal list and
// Paint.NET text readers, and the format detection with every reader behind it.
#include "core/palette/files/PaletteFormat.h"

#include <cstdlib>

using namespace tavrin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    for (PaletteFormat format :
         {PaletteFormat::Jasc, PaletteFormat::Gpl, PaletteFormat::Hex, PaletteFormat::PaintNet}) {
        const PaletteRead read = ReadPaletteBytes(bytes, format);
        if (!read) {
            if (!read.contents.colours.empty() || DescribePaletteProblem(read).empty())
                std::abort();
            continue;
        }
        // What was read is written and read back unchanged, as far as the format holds.
        const PaletteRead again =
            ReadPaletteBytes(WritePaletteBytes(read.contents, format), format);
        std::vector<Colour> kept = read.contents.colours;
        kept.resize(PaletteCapacity(format, kept.size()));
        if (!again || again.contents.colours != kept)
            std::abort();
        (void)DescribePaletteWarnings(read);
    }
    // The size decides among the binary formats; the extension is taken from the first byte.
    static const char* const names[] = {"a.pal", "a.bin", "a.cram", "a.act",
                                        "a.png", "a.gpl", "a.hex",  "a.txt"};
    const char* name = names[size > 0 ? data[0] % 8 : 0];
    const PaletteRead read = ReadPaletteBytes(bytes, name, std::nullopt);
    (void)DescribePaletteProblem(read);
    return 0;
}
