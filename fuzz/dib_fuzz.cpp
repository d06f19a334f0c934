// The DIB container on raw clipboard bytes: load, convert to 8 bits per pixel, read every row,
// then save and load again, which must give back the same image.
#include "core/dib/DibError.h"
#include "core/dib/TNkDIB.h"
#include "core/platform/Image8.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace tavrin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        TNkDIB dib;
        dib.LoadFromClipboardFormat(ClipboardFormatDib, {data, size});
        // Huge declared sizes are legal, but converting them only slows the fuzzer down.
        if (int64_t{dib.Width()} * dib.Height() > (1 << 22)) {
            return 0;
        }
        const TNkDIB loaded = dib;
        if (dib.PixelFormat() != DibPixelFormat::Bits8) {
            dib.SetPixelFormat(DibPixelFormat::Bits8);
        }
        Image8 image;
        dib.AssignTo(image);

        TNkDIB again;
        again.LoadFromClipboardFormat(ClipboardFormatDib, dib.SaveToClipboardFormat());
        if (again.Width() != dib.Width() || again.Height() != dib.Height() ||
            again.Colours() != dib.Colours() || again.PixelFormat() != DibPixelFormat::Bits8) {
            std::abort();
        }
        const TNkDIB& a = again;
        const TNkDIB& b = dib;
        for (int y = 0; y < a.Height(); ++y) {
            if (std::memcmp(a.ScanLine(y), b.ScanLine(y), static_cast<size_t>(a.Width())) != 0 ||
                std::memcmp(a.ScanLine(y), image.ScanLine(y), static_cast<size_t>(a.Width())) !=
                    0) {
                std::abort();
            }
        }
        // The loaded image is untouched by the conversion of its copy.
        if (loaded.SharesImageWith(dib) && loaded.PixelFormat() != DibPixelFormat::Bits8) {
            std::abort();
        }
    } catch (const DibError&) {
    }
    return 0;
}
