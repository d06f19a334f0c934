#include "core/formats/CFormatTable.h"

#include "core/platform/Cp932.h"
#include "core/platform/Text.h"

#include <algorithm>
#include <filesystem>
#include <utility>
#include <vector>

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

std::string PluginMessage(const std::string& path, const std::string& reason) {
    return "plug-in " + path + ": " + reason;
}

// The plug-in candidates of a folder: regular files (or links to them) named "*.so", sorted
// by name so that the format indices stay the same from run to run.
std::vector<std::string> PluginFiles(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (name.ends_with(".so") && it->is_regular_file(typeError))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
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

std::string CFormatTable::InfoProblem(const FormatInfo& info) {
    // Depths beyond a byte per pixel and tiles that do not fill the image evenly would
    // break the page arithmetic (2048 x bpp bytes) and the block loop.
    if (info.bitsPerPixel < 1 || info.bitsPerPixel > 8)
        return "bits per pixel " + std::to_string(info.bitsPerPixel) + " outside 1 to 8";
    if (!DividesBlock(info.width) || !DividesBlock(info.height))
        return "tiles of " + std::to_string(info.width) + " x " + std::to_string(info.height) +
               " pixels do not tile 128 x 128";
    return {};
}

bool CFormatTable::IsUsableInfo(const FormatInfo& info) {
    return InfoProblem(info).empty();
}

bool CFormatTable::AddEntry(CFormat* format) {
    if (m_count >= MaxEntries)
        return false;
    const FormatInfo* info = SafeInfo(*format);
    if (info == nullptr || !IsUsableInfo(*info))
        return false;
    m_infos[static_cast<size_t>(m_count)] = *info;
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
        m_infos[static_cast<size_t>(i)] = m_infos[static_cast<size_t>(i + 1)];
        m_owned[static_cast<size_t>(i)] = std::move(m_owned[static_cast<size_t>(i + 1)]);
    }
    --m_count;
    m_entries[static_cast<size_t>(m_count)] = nullptr;
    m_infos[static_cast<size_t>(m_count)] = FormatInfo{};
}

const FormatInfo* CFormatTable::Info(int index) const {
    if (index < 0 || index >= m_count)
        return nullptr;
    return &m_infos[static_cast<size_t>(index)];
}

const FormatInfo* CFormatTable::PresentInfo(int index) const {
    const FormatInfo* info = Info(index);
    return info != nullptr && SafeInfo(*m_entries[static_cast<size_t>(index)]) != nullptr ? info
                                                                                          : nullptr;
}

std::string CFormatTable::NameList() const {
    std::string list;
    for (int i = 0; i < m_count; ++i) {
        if (i > 0)
            list += '\n';
        list += Cp932ToUtf8(TextField(m_infos[static_cast<size_t>(i)].name));
    }
    return list;
}

std::string CFormatTable::ExtensionPatterns() const {
    std::string patterns;
    for (int i = 0; i < m_count; ++i) {
        const FormatInfo* info = PresentInfo(i);
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

std::string CFormatTable::RomFileFilter() const {
    std::string filter = TAVRIN_TR("Editor", "ROM image|@@@|All files|*.*");
    // The records' patterns, and the tile-file extensions the table knows beside them.
    const std::string patterns = ExtensionPatterns() + "*.1bpp;*.2bpp;";
    for (size_t at = filter.find("@@@"); at != std::string::npos;
         at = filter.find("@@@", at + patterns.size()))
        filter.replace(at, 3, patterns);
    return filter;
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
        const FormatInfo* info = PresentInfo(i);
        if (info != nullptr && ListHas(Cp932ToUtf8(TextField(info->extensions)), ext))
            return i;
    }
    // Common tile-file extensions no record names, as the usual tools write them.
    static constexpr std::pair<std::string_view, std::string_view> Usual[] = {{"1bpp", "1BPP"},
                                                                              {"2bpp", "2BPP GB"}};
    for (const auto& [extension, format] : Usual)
        if (ext == extension)
            for (int i = 0; i < m_count; ++i)
                if (Cp932ToUtf8(TextField(m_infos[static_cast<size_t>(i)].name)) == format)
                    return i;
    return 0;
}

std::string CFormatTable::ListLine(int index) const {
    if (index < 0 || index >= m_count)
        return {};
    const FormatHeader& header = m_entries[static_cast<size_t>(index)]->GetHeader();
    const FormatInfo* info = PresentInfo(index);
    std::string line = "Ver." + std::to_string(header.version) + " ";
    line += " " + Cp932ToUtf8(TextField(m_infos[static_cast<size_t>(index)].name)) + " ";
    // The lengths are those of the records' texts, so "-" (no author, no address) is left out.
    if (info != nullptr && TextField(info->extensions).size() > 1)
        line += "( " + Cp932ToUtf8(TextField(info->extensions)) + " ) ";
    if (TextField(header.author).size() > 1)
        line += " by " + Cp932ToUtf8(TextField(header.author)) + " ";
    if (TextField(header.url).size() > 8)
        line += " ( " + Cp932ToUtf8(TextField(header.url)) + " ) ";
    return line;
}

bool CFormatTable::LoadPlugins(const std::string& folder, const PluginReport& report,
                               const PluginReport& announce) {
    std::string prefix = folder;
    if (!prefix.empty() && prefix.back() != '/')
        prefix += '/';
    const auto tell = [&report](const std::string& path, const std::string& reason) {
        if (report)
            report(PluginMessage(path, reason));
    };
    for (const std::string& name : PluginFiles(folder)) {
        const std::string path = prefix + name;
        auto plugin = std::make_unique<CFormat_plugin>(report, announce);
        if (!plugin->SetPath(path)) {
            tell(path, plugin->Problem());
            continue;
        }
        if (!Add(std::move(plugin))) {
            tell(path, m_count >= MaxEntries ? "not added: the format list is full (at most " +
                                                   std::to_string(MaxEntries - BuiltinCount) +
                                                   " plug-in formats); the scan stops here"
                                             : "not added; the scan stops here");
            return false;
        }
    }
    return true;
}

} // namespace tavrin
