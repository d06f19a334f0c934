// Emulator save-states with their definitions. Input: one byte choosing the file's
// extension, the definition text up to the first line feed, then the state file's bytes.
#include "core/palette/CDatPalette.h"
#include "core/palette/CPalette.h"
#include "core/palette/CStateFile.h"
#include "core/platform/IniFile.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace tavrin;

namespace {

// The extensions with a rule of their own, one without, and none.
const char* const Names[] = {"s.sta", "s.ST7", "s.sv1", "s.SVX", "s.zs0", "state"};

Colour Before(int k) {
    return MakeColour(k ^ 0x5A, k, 255 - k);
}

// Imports and checks that nothing beyond the reported entries changed and that the counts
// fit the file.
void Check(const StateImportResult& result, const CPalette& palette, const CDatPalette& dat,
           size_t size, int paletteType) {
    if (result.paletteEntries < 0 || result.paletteEntries > 256 || result.tableEntries < 0 ||
        result.tableEntries > 256)
        std::abort();
    const int entryBytes = paletteType == 1 ? 2 : paletteType == 2 ? 3 : paletteType == 3 ? 4 : 0;
    if (result.paletteEntries > 0 &&
        (entryBytes == 0 || static_cast<size_t>(result.paletteEntries) * entryBytes > size))
        std::abort();
    if (static_cast<size_t>(result.tableEntries) > size)
        std::abort();
    for (int k = result.paletteEntries; k < 256; ++k) {
        if (palette.GetColor(k) != Before(k))
            std::abort();
    }
    for (int k = result.tableEntries; k < 256; ++k) {
        if (dat.Table()[k] != static_cast<uint8_t>(k))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const std::string name = Names[data[0] % (sizeof Names / sizeof Names[0])];
    const uint8_t* rest = data + 1;
    size_t restSize = size - 1;
    const void* newline = std::memchr(rest, '\n', restSize);
    const size_t definitionSize =
        newline ? static_cast<size_t>(static_cast<const uint8_t*>(newline) - rest) : restSize;
    const std::string definition(reinterpret_cast<const char*>(rest), definitionSize);
    const uint8_t* file = rest + definitionSize + (newline ? 1 : 0);
    const size_t fileSize = restSize - definitionSize - (newline ? 1 : 0);

    CPalette palette;
    CDatPalette dat(&palette);
    for (int k = 0; k < 256; ++k) {
        palette.SetColor(k, Before(k));
        dat.Table()[k] = static_cast<uint8_t>(k);
    }
    const StateDefinition parsed = ParseStateDefinition(definition);

    // The import itself, on exactly the file's bytes (a copy, so that a read past them shows).
    const std::vector<uint8_t> copy(file, file + fileSize);
    StateImportResult result;
    ImportState(parsed, StateFileKeys(name), copy.data(), copy.size(), palette, dat, result);
    Check(result, palette, dat, fileSize, parsed.paletteType);

    // The same through the settings file: the definition under the wildcard key.
    IniFile ini;
    if (!ini.LoadFromText("[STATE]\n" + StateFileKeys(name).wildcard + "=" + definition + "\n"))
        return 0;
    CPalette palette2;
    CDatPalette dat2(&palette2);
    for (int k = 0; k < 256; ++k) {
        palette2.SetColor(k, Before(k));
        dat2.Table()[k] = static_cast<uint8_t>(k);
    }
    CStateFile state(ini, palette2, dat2);
    const StateImportResult viaIni = state.LoadFromBytes(name, copy.data(), copy.size());
    if (viaIni.status == StateImportResult::Status::Done)
        Check(
            viaIni, palette2, dat2, fileSize,
            ParseStateDefinition(ini.ReadString(CStateFile::Section, viaIni.key, "")).paletteType);
    (void)viaIni.Message();
    (void)viaIni.Description();
    return 0;
}
