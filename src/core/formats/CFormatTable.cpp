#include "core/formats/CFormatTable.h"

#include "core/platform/Cp932.h"

#include <utility>

namespace tavrin {

namespace {

// A record's info, or null when the format has none or fails to give it.
const FormatInfo* SafeInfo(CFormat& format) {
    try {
        return format.GetInfo();
    } catch (...) {
        return nullptr;
    }
}

bool DividesBlock(int32_t size) {
    if (size == 0 || size == 1)
        return true; // the block operations use 8
    return size > 1 && size <= BlockPixels && BlockPixels % size == 0;
}

std::string ToLowerAscii(std::string_view s) {
    std::string out(s);
    for (char& ch : out)
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    return out;
}

// Whether ext is one whole entry of the comma-separated list.
bool ListHas(std::string_view list, std::string_view ext) {
    while (true) {
        const size_t comma = list.find(',');
        if (list.substr(0, comma) == ext)
            return true;
        if (comma == std::string_view::npos)
            return false;
        list.remove_prefix(comma + 1);
    }
}

} // namespace

CFormatTable::CFormatTable() {
    for (CFormat* f : std::initializer_list<CFormat*>{&m_1bpp, &m_2nes, &m_2gb, &m_2ngp, &m_2vb,
                                                      &m_2msx, &m_3snes, &m_4snes, &m_4gba, &m_4sms,
                                                      &m_4msx, &m_4pceSg, &m_1bpp16})
        AddEntry(f);
}

CFormatTable::~CFormatTable() = default;

bool CFormatTable::IsUsableInfo(const FormatInfo& info) {
    // Depths beyond a byte per pixel and tiles that do not fill the image evenly would
    // break the page arithmetic (2048 x bpp bytes) and the block loop.
    return info.bitsPerPixel >= 1 && info.bitsPerPixel <= 8 && DividesBlock(info.width) &&
           DividesBlock(info.height);
}

bool CFormatTable::AddEntry(CFormat* format) {
    if (m_count >= MaxEntries)
        return false;
    const FormatInfo* info = SafeInfo(*format);
    if (info == nullptr || !IsUsableInfo(*info))
        return false;
    m_entries[static_cast<size_t>(m_count++)] = format;
    return true;
}

bool CFormatTable::Add(std::unique_ptr<CFormat> format) {
    if (format == nullptr || !AddEntry(format.get()))
        return false;
    m_owned[static_cast<size_t>(m_count - 1)] = std::move(format);
    return true;
}

CFormat* CFormatTable::Get(int index) const {
    if (index < 0)
        index = 0;
    if (index >= m_count)
        return nullptr;
    return m_entries[static_cast<size_t>(index)];
}

void CFormatTable::Remove(int index) {
    if (index < 0 || index >= m_count)
        return;
    m_owned[static_cast<size_t>(index)].reset();
    for (int i = index; i + 1 < m_count; ++i) {
        m_entries[static_cast<size_t>(i)] = m_entries[static_cast<size_t>(i + 1)];
        m_owned[static_cast<size_t>(i)] = std::move(m_owned[static_cast<size_t>(i + 1)]);
    }
    --m_count;
    m_entries[static_cast<size_t>(m_count)] = nullptr;
}

std::string CFormatTable::NameList() const {
    std::string list;
    for (int i = 0; i < m_count; ++i) {
        if (i > 0)
            list += '\n';
        list += m_entries[static_cast<size_t>(i)]->Name();
    }
    return list;
}

std::string CFormatTable::ExtensionPatterns() const {
    std::string patterns;
    for (int i = 0; i < m_count; ++i) {
        const FormatInfo* info = SafeInfo(*m_entries[static_cast<size_t>(i)]);
        if (info == nullptr)
            continue;
        const std::string extensions = Cp932ToUtf8(TextField(info->extensions));
        if (extensions.empty())
            continue;
        patterns += "*.";
        for (char ch : extensions) {
            if (ch == ',')
                patterns += ";*.";
            else
                patterns += ch;
        }
        patterns += ';';
    }
    return patterns;
}

int CFormatTable::FindByExtension(std::string_view fileName) const {
    const size_t slash = fileName.find_last_of("/\\");
    const std::string_view base =
        slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
    const size_t dot = base.rfind('.');
    const std::string ext =
        dot == std::string_view::npos ? std::string() : ToLowerAscii(base.substr(dot + 1));
    if (ext.empty())
        return 0;
    for (int i = m_count - 1; i >= 0; --i) {
        const FormatInfo* info = SafeInfo(*m_entries[static_cast<size_t>(i)]);
        if (info != nullptr && ListHas(Cp932ToUtf8(TextField(info->extensions)), ext))
            return i;
    }
    return 0;
}

} // namespace tavrin
