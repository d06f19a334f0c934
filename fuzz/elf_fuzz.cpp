// A plug-in file as any bytes: the check before mapping reads only what lies inside them.
#include "core/platform/LibraryFile.h"

#include <cstring>
#include <string>

using namespace tavrin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string problem =
        ElfLibraryProblem(size, [data, size](uint64_t offset, void* out, size_t n) {
            if (offset > size || n > size - offset)
                return false;
            std::memcpy(out, data + offset, n);
            return true;
        });
    (void)problem;
    return 0;
}
