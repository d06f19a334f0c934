// Palette (.pal, raw or RIFF) and palette-set (.dat) bytes from outside.
#include "core/palette/CDatPalette.h"
#include "core/palette/CPalette.h"
#include "core/palette/DisplayPalette.h"

#include <cstdlib>

using namespace tavrin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CPalette pal;
    pal.LoadFromBytes(data, size);
    // Whatever the input, the table is fully defined and round-trips through raw bytes.
    CPalette copy;
    copy.LoadFromBytes(pal.Data(), CPalette::DataSize);
    if (!(copy == pal))
        std::abort();

    CDatPalette dat(&pal);
    dat.LoadFromBytes(data, size);
    for (int i = -1; i <= 256; ++i)
        (void)dat.GetEntryColor(i);
    const Image8::Palette display = RebuildDisplayPalette(dat, size % 2 == 1);
    (void)display;
    return 0;
}
