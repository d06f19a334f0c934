#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavrin::test {

// Seeded noise: the same seed gives the same bytes on every run and machine.
std::vector<uint8_t> RandomBytes(size_t size, uint32_t seed);

} // namespace tavrin::test
