#pragma once

#include <string>

namespace tavrin {

class CFormat;

// The information text of a format, as the format list's info button and the settings
// dialog show it.
class CFormatUtil {
public:
    // One line per property, each ended by "\n"; "* NO INFO *" without a format or record.
    static std::string InfoText(CFormat* format);
};

} // namespace tavrin
