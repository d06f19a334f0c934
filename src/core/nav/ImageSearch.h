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

// "Find previous graphics": the same rule run backwards. Of all the places FindNextImage can
// answer (from any address), the last one before address; so when the forward search from
// some address finds R, the backward search from any address past R up to the next such
// place finds R again. None when there is no such place before the address.
std::optional<int32_t> FindPreviousImage(std::span<const uint8_t> data, int32_t address,
                                         int32_t tileBytes);

} // namespace tavrin
