#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace tavrin {

// "Find next graphics": looks after address for the first run of at least tileBytes equal
// bytes within data (the document's data bytes) and answers where that run ends, rounded
// down to 16 bytes (or the run's start when rounding would not move past it). The run is
// counted up to 256 tiles. None when no such run follows the address.
std::optional<int32_t> FindNextImage(std::span<const uint8_t> data, int32_t address,
                                     int32_t tileBytes);

} // namespace tavrin
