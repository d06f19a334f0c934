#pragma once

#include "core/platform/FileResult.h"

#include "core/platform/Image8.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tavrin {

// An 8-bit indexed PNG with the image's 256 colours. Rows go unfiltered (filters do not help
// palette indices) through deflate at the given zlib level (1 fastest … 9 smallest) with
// the run-length strategy, which suits tile data: long runs of one index.
std::vector<uint8_t> EncodeIndexedPng(const Image8& image, int level = 1);
FileResult WriteIndexedPng(const std::string& path, const Image8& image, int level = 1);

} // namespace tavrin
