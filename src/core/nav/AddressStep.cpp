#include "core/nav/AddressStep.h"

#include "core/formats/CFormat.h"

#include <algorithm>

namespace tavrin {

int32_t ClampAddress(int64_t address, int32_t pageBytes, int32_t endAddress) {
    const int64_t last = int64_t{endAddress} - pageBytes;
    if (address + pageBytes > endAddress)
        address = last;
    if (address < 0)
        address = 0;
    return static_cast<int32_t>(std::min<int64_t>(address, INT32_MAX));
}

bool IsAddressStepCode(int32_t stepCode) {
    return (stepCode >= StepFirst && stepCode <= StepLast) || stepCode == StepWheelUp ||
           stepCode == StepWheelDown || stepCode == StepJump;
}

int32_t StepValue(int32_t stepCode, int32_t startAddress, int32_t endAddress, int32_t wheelLines) {
    switch (stepCode) {
    case StepFirst:
        return startAddress;
    case StepLast:
        return endAddress;
    case StepWheelUp:
    case StepWheelDown:
        return wheelLines;
    default:
        return 0;
    }
}

int32_t StepAndClamp(CFormat& format, const uint8_t* bytes, int32_t address, int32_t value,
                     int32_t stepCode, int32_t pageBytes, int32_t endAddress) {
    return ClampAddress(format.StepAddress(bytes, address, value, stepCode), pageBytes, endAddress);
}

} // namespace tavrin
