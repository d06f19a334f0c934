// The records a plug-in hands over (FormatHeader, then FormatInfo), as any bytes: the table
// refuses or keeps them, and what it shows of them stays inside their fields.
#include "core/formats/CFormatTable.h"
#include "core/formats/CFormatUtil.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

using namespace tavrin;

namespace {

class RecordFormat : public CFormat {
public:
    RecordFormat(const uint8_t* data, size_t size) {
        uint8_t records[sizeof(FormatHeader) + sizeof(FormatInfo)] = {};
        std::memcpy(records, data, std::min(size, sizeof records));
        std::memcpy(&m_header, records, sizeof m_header);
        std::memcpy(&m_info, records + sizeof m_header, sizeof m_info);
    }
};

bool PlainExtension(const std::string& e) {
    if (e.empty())
        return false;
    for (char c : e)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CFormatTable table;
    auto owned = std::make_unique<RecordFormat>(data, size);
    RecordFormat* format = owned.get();
    const bool usable = CFormatTable::IsUsableInfo(*format->GetInfo());
    const std::string text = CFormatUtil::InfoText(format);
    // A refused format is destroyed by Add.
    if (table.Add(std::move(owned)) != usable)
        std::abort();
    if (!usable)
        return 0;
    if (table.ListLine(13).rfind("Ver.", 0) != 0 || text == "* NO INFO *" ||
        std::memcmp(table.Info(13), format->GetInfo(), sizeof(FormatInfo)) != 0)
        std::abort();
    (void)table.NameList();
    (void)table.ExtensionPatterns();
    // Every plain extension the record claims selects it.
    const std::string_view list = TextField(table.Info(13)->extensions);
    size_t start = 0;
    while (start <= list.size()) {
        const size_t comma = std::min(list.find(',', start), list.size());
        const std::string e(list.substr(start, comma - start));
        if (PlainExtension(e) && table.FindByExtension("file." + e) != 13)
            std::abort();
        start = comma + 1;
    }
    for (int code = 0; code <= 64; ++code)
        (void)format->StepAddress(nullptr, static_cast<int32_t>(size), 3, code);
    return 0;
}
