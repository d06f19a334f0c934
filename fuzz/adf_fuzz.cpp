// Pattern tables (.adf) from outside, and the pattern list and editing built on them.
#include "core/palette/CAdfPattern.h"

#include <cstdlib>
#include <string>

using namespace tavrin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CAdfPattern adf;
    adf.LoadFromBytes(data, size);
    const std::string names = adf.Names();
    (void)names;

    // Saving and loading again gives the same table.
    const std::vector<uint8_t> bytes = adf.ToBytes();
    CAdfPattern back;
    back.LoadFromBytes(bytes.data(), bytes.size());
    if (back.ToBytes() != bytes)
        std::abort();

    // The dialog's operations on whatever the file held, steered by its first bytes.
    const int selected = size > 0 ? static_cast<int>(data[0]) - 128 : -1;
    AdfEntry working = GenerateCharacterPattern(size > 1 ? data[1] % 20 : 1,
                                                size > 2 ? data[2] % 20 : 1, size % 2 == 1);
    const std::string name(reinterpret_cast<const char*>(data), size < 40 ? size : 40);
    working.SetName(name);
    (void)working.Name();
    adf.AddOrUpdate(selected, working, name);
    adf.MoveUp(selected);
    adf.MoveDown(selected);
    adf.Delete(selected);
    adf.EnsureNormal();
    if (adf.Count() < 0 || adf.Count() > CAdfPattern::EntryCount)
        std::abort();
    return 0;
}
