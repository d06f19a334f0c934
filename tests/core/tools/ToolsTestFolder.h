#pragma once

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace tavrin::test {

// A private folder per test with text files in it.
class ToolsTestFolder : public TempFolder {
public:
    std::string ReadText(const std::string& name) const {
        std::ifstream in(File(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
};

} // namespace tavrin::test
