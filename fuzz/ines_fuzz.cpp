// Reads arbitrary bytes as a ROM document, from memory and through a file, and touches every
// byte of a largest page at each address the window can be sent to.
#include "core/document/RomDocument.h"
#include "core/platform/FileIO.h"
#include "core/platform/SafeFileWriter.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

using namespace tavrin;

namespace {

uint8_t g_scratch[RomDocument::MaxPageBytes];
const uint8_t g_zeros[RomDocument::MaxPageBytes] = {};

// Reads and writes back every byte of a largest page (the sanitizer checks each range), and
// checks that what lies past the data reads zero.
void TouchPage(RomDocument& doc, int address) {
    if (!doc.Contains(address, RomDocument::MaxPageBytes))
        std::abort();
    uint8_t* page = doc.Data() + address;
    std::memcpy(g_scratch, page, sizeof g_scratch);
    std::memcpy(page, g_scratch, sizeof g_scratch);
    const int zeroFrom = std::max(0, doc.DataSize() - address);
    if (zeroFrom < RomDocument::MaxPageBytes &&
        std::memcmp(g_scratch + zeroFrom, g_zeros, sizeof g_zeros - zeroFrom) != 0)
        std::abort();
}

// A file in /tmp named for this process, removed at exit.
struct TempFile {
    std::string path;
    explicit TempFile(const char* what)
        : path("/tmp/tavrin_ines_fuzz_" + std::to_string(::getpid()) + "_" + what + ".nes") {}
    ~TempFile() { std::remove(path.c_str()); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RomDocument doc;
    if (!doc.LoadBytes(data, size, "fuzz.nes"))
        return 0;
    if (doc.DataSize() != static_cast<int>(size) || doc.StartAddress() < 0 ||
        doc.EndAddress() < 0 || doc.HeaderOffset() < 0)
        std::abort();

    TouchPage(doc, doc.StartAddress());
    TouchPage(doc, doc.EndAddress());
    TouchPage(doc, doc.DataSize());
    TouchPage(doc, doc.HeaderOffset());
    for (int pageBytes : {2048, 4096, 6144, 8192, 16384}) {
        TouchPage(doc, doc.ClampPageAddress(doc.StartAddress(), pageBytes));
        TouchPage(doc, doc.ClampPageAddress(INT_MAX, pageBytes));
        TouchPage(doc, doc.ClampPageAddress(INT_MIN, pageBytes));
    }

    // The same bytes read from a file give the same document, and write back unchanged.
    static const TempFile inFile("in");
    const std::string& in = inFile.path;
    if (!WriteFileSafely(in, data, size))
        return 0;
    RomDocument fromFile;
    if (!fromFile.ReadRom(in) || fromFile.DataSize() != doc.DataSize() ||
        fromFile.BufferSize() != doc.BufferSize() ||
        fromFile.StartAddress() != doc.StartAddress() ||
        fromFile.EndAddress() != doc.EndAddress() || fromFile.HeaderOffset() != doc.HeaderOffset())
        std::abort();
    static const TempFile outFile("out");
    const std::string& out = outFile.path;
    std::remove(out.c_str());
    std::vector<uint8_t> back;
    if (!fromFile.WriteRom(out, true) || !ReadWholeFile(out, back) || back.size() != size ||
        (size > 0 && !std::equal(back.begin(), back.end(), data)))
        std::abort();
    return 0;
}
