#pragma once

#include <cstdint>

namespace tavrin {

class CFormat;

// The clamp every move of the current address ends in: a whole page must fit before the
// end address (else the address is pulled back to end - page), and the address is never
// below 0, so a document smaller than a page is shown from 0.
int32_t ClampAddress(int64_t address, int32_t pageBytes, int32_t endAddress);

// Whether a code is one of the address commands' step codes (1-10, 16, 17, 64).
bool IsAddressStepCode(int32_t stepCode);

// The value an address command hands to StepAddress: the start address for code 1, the end
// address for code 10, the wheel lines for codes 16 and 17, else 0.
int32_t StepValue(int32_t stepCode, int32_t startAddress, int32_t endAddress, int32_t wheelLines);

// Runs one address command: the format's StepAddress, then the clamp.
int32_t StepAndClamp(CFormat& format, const uint8_t* bytes, int32_t address, int32_t value,
                     int32_t stepCode, int32_t pageBytes, int32_t endAddress);

} // namespace tavrin
