#pragma once

#include "core/platform/FileIO.h"
#include "core/platform/SafeFileWriter.h"
#include "support/RandomBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tavrin::test {

inline void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    ASSERT_TRUE(WriteFileSafely(path, bytes.data(), bytes.size()));
}

} // namespace tavrin::test
