// Bitmap file bytes through the reader; what is read is written and read back unchanged.
#include "core/dib/BitmapFile.h"
#include "core/dib/DibError.h"
#include "core/dib/TNkDIB.h"
#include "core/platform/Image8.h"

#include <cstdint>
#include <cstdlib>

using namespace tavrin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        // Huge declared sizes are legal, but converting them only slows the fuzzer down.
        TNkDIB probe;
        probe.LoadFromStream({data, size});
        if (int64_t{probe.Width()} * probe.Height() > (1 << 22)) {
            return 0;
        }
        Image8 image;
        BitmapFileToImage8({data, size}, image);
        if (image.Width() != probe.Width() || image.Height() != probe.Height()) {
            std::abort();
        }
        Image8 back;
        BitmapFileToImage8(Image8ToBitmapFile(image), back);
        if (!(back == image)) {
            std::abort();
        }
    } catch (const DibError&) {
    }
    return 0;
}
