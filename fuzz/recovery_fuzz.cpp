// A recovery file as any bytes: refused, or read into a record that writes back the same
// bytes.
#include "core/document/RecoveryFile.h"

#include <algorithm>
#include <cstdlib>
#include <span>
#include <vector>

using namespace tavrin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RecoveryRecord record;
    if (!DecodeRecovery(std::span<const uint8_t>(data, size), record))
        return 0;
    const std::vector<uint8_t> again = EncodeRecovery(record);
    if (again.size() != size || !std::equal(again.begin(), again.end(), data))
        std::abort();
    return 0;
}
