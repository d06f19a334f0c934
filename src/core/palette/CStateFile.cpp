#include "core/palette/CStateFile.h"
#include "core/platform/Text.h"

#include "core/palette/CDatPalette.h"
#include "core/palette/CPalette.h"
#include "core/platform/FileIO.h"
#include "core/platform/IniFile.h"
#include "core/platform/LittleEndian.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <filesystem>
#include <vector>

namespace tavrin {

namespace {

// Reads numbers the way the C library's scanf does for "%x" and "%d": blanks skipped, an
// optional sign, digits; a value too large saturates.
class DefinitionScanner {
public:
    explicit DefinitionScanner(std::string_view text) : m_text(text) {}

    bool Hex(int& out) {
        size_t at = SignedStart();
        const bool negative = at > m_pos && m_text[at - 1] == '-';
        if (at + 2 < m_text.size() && m_text[at] == '0' &&
            (m_text[at + 1] == 'x' || m_text[at + 1] == 'X') && HexDigit(m_text[at + 2]) >= 0)
            at += 2;
        unsigned long long value = 0;
        const size_t first = at;
        for (int d; at < m_text.size() && (d = HexDigit(m_text[at])) >= 0; ++at)
            value = std::min(value * 16 + static_cast<unsigned>(d), 0xFFFFFFFFull);
        if (at == first)
            return false;
        uint32_t bits = static_cast<uint32_t>(value);
        if (negative)
            bits = 0u - bits;
        // As the field is an int: eight hex digits from 8 on read as a negative number.
        out = static_cast<int32_t>(bits);
        m_pos = at;
        return true;
    }

    bool Decimal(int& out) {
        size_t at = SignedStart();
        const bool negative = at > m_pos && m_text[at - 1] == '-';
        long long value = 0;
        const size_t first = at;
        for (; at < m_text.size() && m_text[at] >= '0' && m_text[at] <= '9'; ++at)
            value = std::min(value * 10 + (m_text[at] - '0'), static_cast<long long>(INT_MAX) + 1);
        if (at == first)
            return false;
        value = negative ? -value : std::min(value, static_cast<long long>(INT_MAX));
        out = static_cast<int>(value);
        m_pos = at;
        return true;
    }

    // A literal of the format matches only the very next character.
    bool Literal(char c) {
        if (m_pos >= m_text.size() || m_text[m_pos] != c)
            return false;
        ++m_pos;
        return true;
    }

private:
    static bool IsBlank(char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    }

    static int HexDigit(char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    // Skips blanks (for good) and a sign (tentatively); returns where the digits start.
    size_t SignedStart() {
        while (m_pos < m_text.size() && IsBlank(m_text[m_pos]))
            ++m_pos;
        size_t at = m_pos;
        if (at < m_text.size() && (m_text[at] == '+' || m_text[at] == '-'))
            ++at;
        return at;
    }

    std::string_view m_text;
    size_t m_pos = 0;
};

// The bytes of one part that lie inside the file: 0 when the part was not found, starts
// outside the file or has no positive length; cut at the end of the file.
long long PartLength(long long offset, long long length, long long size) {
    if (offset < 0 || length <= 0 || offset >= size)
        return 0;
    return std::min(length, size - offset);
}

int BytesPerEntry(int paletteType) {
    switch (paletteType) {
    case 1:
        return 2;
    case 2:
        return 3;
    case 3:
        return 4;
    default:
        return 0;
    }
}

Colour DecodeEntry(int paletteType, const uint8_t* p) {
    if (paletteType == 1) {
        const unsigned v = LoadLE16(p);
        return MakeColour((v & 31) * 8, ((v >> 5) & 31) * 8, ((v >> 10) & 31) * 8);
    }
    return MakeColour(p[0], p[1], p[2]);
}

bool StartsWith(const uint8_t* bytes, size_t size, std::string_view magic) {
    return size >= magic.size() && std::memcmp(bytes, magic.data(), magic.size()) == 0;
}

} // namespace

StateDefinition ParseStateDefinition(std::string_view text) {
    StateDefinition d;
    int* const fields[] = {&d.paletteOffset, &d.paletteLength, &d.paletteType, &d.tableOffset,
                           &d.tableLength};
    DefinitionScanner scan(text);
    for (int k = 0; k < 5; ++k) {
        if (k > 0 && !scan.Literal(','))
            break;
        const bool read = k == 2 ? scan.Decimal(*fields[k]) : scan.Hex(*fields[k]);
        if (!read)
            break;
    }
    return d;
}

StateKeys StateFileKeys(const std::string& path) {
    StateKeys keys;
    keys.exact = ExtensionPart(path);
    for (char& c : keys.exact) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    // Three characters, not bytes, so a key never ends in half a character.
    size_t end = 0;
    for (int chars = 0; chars < 3 && end < keys.exact.size(); ++chars) {
        ++end;
        while (end < keys.exact.size() &&
               (static_cast<unsigned char>(keys.exact[end]) & 0xC0) == 0x80)
            ++end;
    }
    keys.wildcard = keys.exact.substr(0, end) + "*";
    return keys;
}

long long GtsfPaletteOffset(const uint8_t* bytes, size_t size) {
    if (bytes == nullptr || !StartsWith(bytes, size, "GTSF"))
        return -1;
    for (size_t i = 0; i + 4 < size; ++i) {
        if (std::memcmp(bytes + i, "PAL ", 4) == 0)
            return static_cast<long long>(i) + 8;
    }
    return -1;
}

long long VirtuaNesTableOffset(const uint8_t* bytes, size_t size) {
    if (bytes == nullptr || size < 16 || !StartsWith(bytes, size, "VirtuaNES"))
        return -1;
    switch (bytes[15]) {
    case 1:
        return 2440;
    case 2:
        if (size < 48)
            return -1;
        // The header, the block at 44 and the blocks of fixed size before the palette.
        return 48 + static_cast<long long>(LoadLE32(bytes + 44)) + 16 + 2048;
    default:
        return -1;
    }
}

void ImportState(const StateDefinition& definition, const StateKeys& keys, const uint8_t* bytes,
                 size_t size, CPalette& palette, CDatPalette& dat, StateImportResult& result) {
    result.paletteEntries = 0;
    result.tableEntries = 0;
    if (bytes == nullptr)
        size = 0;
    const long long fileSize = static_cast<long long>(size);

    const long long paletteOffset =
        keys.wildcard == ".sv*" ? GtsfPaletteOffset(bytes, size) : definition.paletteOffset;
    const long long paletteLength = PartLength(paletteOffset, definition.paletteLength, fileSize);
    const int entryBytes = BytesPerEntry(definition.paletteType);
    if (paletteLength > 0 && entryBytes > 0) {
        const long long count = std::min<long long>(paletteLength / entryBytes, CPalette::Count);
        for (long long k = 0; k < count; ++k) {
            const uint8_t* p = bytes + paletteOffset + k * entryBytes;
            palette.SetColor(static_cast<int>(k), DecodeEntry(definition.paletteType, p));
        }
        result.paletteEntries = static_cast<int>(count);
    }

    const long long tableOffset =
        keys.wildcard == ".st*" ? VirtuaNesTableOffset(bytes, size) : definition.tableOffset;
    const long long tableLength = PartLength(tableOffset, definition.tableLength, fileSize);
    if (tableLength > 0) {
        const size_t count =
            static_cast<size_t>(std::min<long long>(tableLength, CDatPalette::Size));
        dat.SetTable(bytes + tableOffset, count);
        result.tableEntries = static_cast<int>(count);
    }
}

std::string StateImportResult::Message() const {
    switch (status) {
    case Status::NoDefinition:
        return TranslateText("StateFile", CStateFile::NoDefinitionMessage);
    case Status::NoSize:
        return TranslateText("StateFile", CStateFile::NoSizeMessage);
    case Status::TooLarge:
        return TranslateText("StateFile", CStateFile::TooLargeMessage);
    default:
        return {};
    }
}

std::string StateImportResult::Description() const {
    switch (status) {
    case Status::NoDefinition:
        return "no definition for this file's extension in section [STATE] of the settings file";
    case Status::NoSize:
        return "the definition '" + key + "' in section [STATE] has both lengths 0";
    case Status::NoFile:
        return "cannot read the state file";
    case Status::TooLarge:
        return "the state file is larger than 64 MiB";
    default:
        return std::to_string(paletteEntries) + " palette colours and " +
               std::to_string(tableEntries) + " palette-set entries imported (definition '" + key +
               "')";
    }
}

CStateFile::CStateFile(std::string iniPath, CPalette& palette, CDatPalette& dat)
    : m_iniPath(std::move(iniPath)), m_palette(palette), m_dat(dat) {}

CStateFile::CStateFile(const IniFile& ini, CPalette& palette, CDatPalette& dat)
    : m_ini(&ini), m_palette(palette), m_dat(dat) {}

bool CStateFile::FindDefinition(const std::string& path, std::string& key,
                                std::string& text) const {
    IniFile loaded;
    const IniFile* ini = m_ini;
    if (ini == nullptr) {
        // An unreadable settings file holds no definitions.
        if (!loaded.Load(m_iniPath))
            return false;
        ini = &loaded;
    }
    const StateKeys keys = StateFileKeys(path);
    // A name without an extension has no key of its own, only the wildcard "*".
    if (!keys.exact.empty()) {
        text = ini->ReadString(Section, keys.exact, "");
        key = keys.exact;
        if (!text.empty())
            return true;
    }
    text = ini->ReadString(Section, keys.wildcard, "");
    key = keys.wildcard;
    return !text.empty();
}

bool CStateFile::Prepare(const std::string& path, StateImportResult& result,
                         StateDefinition& definition) const {
    std::string text;
    if (!FindDefinition(path, result.key, text)) {
        result.key.clear();
        result.status = StateImportResult::Status::NoDefinition;
        return false;
    }
    definition = ParseStateDefinition(text);
    if (definition.paletteLength == 0 && definition.tableLength == 0) {
        result.status = StateImportResult::Status::NoSize;
        return false;
    }
    return true;
}

StateImportResult CStateFile::LoadFromFile(const std::string& path) {
    StateImportResult result;
    StateDefinition definition;
    if (!Prepare(path, result, definition))
        return result;
    std::vector<uint8_t> bytes;
    if (!FileExists(path)) {
        result.status = StateImportResult::Status::NoFile;
        return result;
    }
    std::error_code error;
    const uint64_t size = std::filesystem::file_size(path, error);
    if (!error && size > MaxFileBytes) {
        result.status = StateImportResult::Status::TooLarge;
        return result;
    }
    // MaxFileBytes + 1 tells a file that grew meanwhile from one that did not.
    if (!ReadFilePrefix(path, bytes, MaxFileBytes + 1)) {
        result.status = StateImportResult::Status::NoFile;
        return result;
    }
    if (bytes.size() > MaxFileBytes) {
        result.status = StateImportResult::Status::TooLarge;
        return result;
    }
    ImportState(definition, StateFileKeys(path), bytes.data(), bytes.size(), m_palette, m_dat,
                result);
    return result;
}

StateImportResult CStateFile::LoadFromBytes(const std::string& path, const uint8_t* bytes,
                                            size_t size) {
    StateImportResult result;
    StateDefinition definition;
    if (Prepare(path, result, definition))
        ImportState(definition, StateFileKeys(path), bytes, size, m_palette, m_dat, result);
    return result;
}

std::string_view StateSectionExample() {
    return R"(; Save-states of emulators: where the palette lies in them, one definition per file
; extension, for "エミュレータのセーブデータを開く(&S)..." (F12).
; key   = the extension in lower case with its dot (.st0), or its first three characters
;         followed by * (.st*) for every extension that begins with them
; value = palette offset (hex),palette length (hex),palette type,
;         palette-set offset (hex),palette-set length (hex)
; Palette types: 1 = two bytes a colour, 15-bit BGR (bits 0-4 red, 5-9 green, 10-14 blue);
; 2 = red, green and blue bytes; 3 = red, green, blue and one unused byte.
; A length of 0 leaves that part alone; at most 256 colours and 256 palette-set entries
; are read. For example .abc=100,60,2,0,0 reads 32 colours of three bytes (0x60 bytes)
; from offset 0x100 of every .abc file into the master palette.
[STATE]
; VirtuaNES (.st0, .st1, ...): the palette set is found in the file itself; its 32 bytes
; of NES palette memory become palette-set entries 0-31.
.st*=0,0,0,0,20
; Files that begin with "GTSF" (.sv?): the palette is found after their "PAL " tag;
; 256 colours of type 1.
.sv*=0,200,1,0,0
)";
}

} // namespace tavrin
