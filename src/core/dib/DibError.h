#pragma once

#include <stdexcept>
#include <string>

namespace tavrin {

// The failure of a DIB operation. what() is the program's own message text, shown unchanged.
class DibError : public std::runtime_error {
public:
    explicit DibError(const std::string& text) : std::runtime_error(text) {}
};

} // namespace tavrin
