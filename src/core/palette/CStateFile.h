#pragma once

#include "core/platform/Text.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavrin {

class CDatPalette;
class CPalette;
class IniFile;

// Where the palette and the palette-set bytes lie in one kind of save-state file: the value
// "%x,%x,%d,%x,%x" of its key in the section "STATE" of the settings file.
struct StateDefinition {
    int paletteOffset = 0;
    int paletteLength = 0;
    // 1: 16-bit 15-bit BGR, 2: red, green, blue, 3: red, green, blue and one byte ignored.
    int paletteType = 0;
    int tableOffset = 0;
    int tableLength = 0;

    bool operator==(const StateDefinition&) const = default;
};

// Reads the five fields as the settings file writes them (hexadecimal, hexadecimal,
// decimal, hexadecimal, hexadecimal, separated by commas). Reading stops at the first field
// that does not match; that field and the ones after it are 0.
StateDefinition ParseStateDefinition(std::string_view text);

// The keys a state file's definition is looked up under: its extension in lower case with
// the dot (".sta"), then the first three characters of that followed by "*" (".st*"). A
// path without an extension has no exact key and the wildcard key "*".
struct StateKeys {
    std::string exact;
    std::string wildcard;
};
StateKeys StateFileKeys(const std::string& path);

// The palette offset of a "GTSF" file: 8 bytes after its first "PAL " tag; -1 when the file
// does not begin with "GTSF" or has no tag.
long long GtsfPaletteOffset(const uint8_t* bytes, size_t size);
// The palette-set offset of a VirtuaNES state file from the layout byte at offset 15; -1
// when the file does not begin with "VirtuaNES", is too short or has another layout.
long long VirtuaNesTableOffset(const uint8_t* bytes, size_t size);

// What an import did.
struct StateImportResult {
    enum class Status {
        Done,         // the state file was read (either part may still have been skipped)
        NoDefinition, // no definition for the file's extension: nothing changed
        NoSize,       // both lengths of the definition are 0: nothing changed
        NoFile,       // no readable file at the path: nothing changed
        TooLarge,     // the file is larger than MaxFileBytes: nothing changed
    };
    Status status = Status::Done;
    // The key whose definition was used ("" when there was none).
    std::string key;
    // Master-palette entries and palette-set entries written.
    int paletteEntries = 0;
    int tableEntries = 0;

    // The message the window shows in a plain box, "" when there is none.
    std::string Message() const;
    // One line in English for the command line.
    std::string Description() const;
};

// Copies the palette and the palette indices an emulator kept in a save-state into the
// master palette and the palette set, at positions the settings file describes per file
// extension. Files whose extension begins with ".sv" and that carry "GTSF" have their
// palette found by its tag, files whose extension begins with ".st" written by VirtuaNES
// their palette set by the file's layout.
class CStateFile {
public:
    static constexpr const char* Section = "STATE";
    static constexpr const char* NoDefinitionMessage =
        TAVRIN_TR_NOOP("StateFile", "ステートファイルのINI定義の読み込みに失敗しました。");
    static constexpr const char* NoSizeMessage =
        TAVRIN_TR_NOOP("StateFile", "ステートファイルのINI定義の読み込みサイズが0です。");
    static constexpr const char* TooLargeMessage = TAVRIN_TR_NOOP(
        "StateFile", "ステートファイルが大きすぎるため読み込めません（64 MB まで）。");
    // Save-states are far smaller; a larger file is refused before it is read into memory.
    static constexpr uint64_t MaxFileBytes = uint64_t{64} << 20;

    // Definitions read from the settings file at the path at every import, so that a user
    // who edits the file meanwhile is heard.
    CStateFile(std::string iniPath, CPalette& palette, CDatPalette& dat);
    // Definitions read from an ini object the caller keeps alive.
    CStateFile(const IniFile& ini, CPalette& palette, CDatPalette& dat);

    // Imports from the state file at the path. Each part is written only as far as the file
    // holds it: an offset or length that is negative or reaches past the end of the file
    // shortens or skips that part, and entries beyond the imported ones keep their values.
    StateImportResult LoadFromFile(const std::string& path);
    // The same on a state file's bytes, named by path for its extension.
    StateImportResult LoadFromBytes(const std::string& path, const uint8_t* bytes, size_t size);

private:
    // Finds and reads the definition; false (with the status set) when the import stops
    // before the state file is read.
    bool Prepare(const std::string& path, StateImportResult& result,
                 StateDefinition& definition) const;
    // The definition text and its key; false with no definition.
    bool FindDefinition(const std::string& path, std::string& key, std::string& text) const;

    std::string m_iniPath;
    const IniFile* m_ini = nullptr;
    CPalette& m_palette;
    CDatPalette& m_dat;
};

// Copies the parts the definition describes from a state file's bytes: the keys decide
// whether the GTSF search or the VirtuaNES rule replaces an offset. Fills the counts of the
// result.
void ImportState(const StateDefinition& definition, const StateKeys& keys, const uint8_t* bytes,
                 size_t size, CPalette& palette, CDatPalette& dat, StateImportResult& result);

// A commented "STATE" section for a new settings file: a VirtuaNES definition for ".st*" and
// a GTSF one for ".sv*", with the rules of a definition explained.
std::string_view StateSectionExample();

} // namespace tavrin
