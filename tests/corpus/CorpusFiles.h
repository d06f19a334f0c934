#pragma once

#include "core/platform/FileIO.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tavrin::corpus {

// The shared corpus is not part of every clone: tests skip when a file is absent.
inline std::string CorpusPath(const std::string& relative) {
    return std::string(TAVRIN_CORPUS_DIR) + "/" + relative;
}

// Reads a corpus file; false (and the caller skips) when it is not there.
inline bool LoadCorpusFile(const std::string& relative, std::vector<uint8_t>& bytes) {
    const std::string path = CorpusPath(relative);
    return FileExists(path) && ReadWholeFile(path, bytes);
}

} // namespace tavrin::corpus

// Skips the current test when the corpus file is missing.
#define LOAD_CORPUS_OR_SKIP(relative, bytes)                                                       \
    do {                                                                                           \
        if (!::tavrin::corpus::LoadCorpusFile((relative), (bytes)))                                \
            GTEST_SKIP() << "corpus file absent: " << (relative);                                  \
    } while (0)
