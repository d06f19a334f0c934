#pragma once

#include "core/palette/files/PaletteFormat.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

// The readers and writers of each palette format, one source file each. A reader fills the
// contents, or the problem, and the warnings of the read it is given.

namespace tavrin {

using PaletteReader = void (*)(std::span<const uint8_t>, const PaletteOptions&, PaletteRead&);
using PaletteWriter = std::vector<uint8_t> (*)(const PaletteContents&, const PaletteOptions&);

void ReadJasc(std::span<const uint8_t> bytes, const PaletteOptions& options, PaletteRead& read);
std::vector<uint8_t> WriteJasc(const PaletteContents& contents, const PaletteOptions& options);
void ReadGpl(std::span<const uint8_t> bytes, const PaletteOptions& options, PaletteRead& read);
std::vector<uint8_t> WriteGpl(const PaletteContents& contents, const PaletteOptions& options);
void ReadHex(std::span<const uint8_t> bytes, const PaletteOptions& options, PaletteRead& read);
std::vector<uint8_t> WriteHex(const PaletteContents& contents, const PaletteOptions& options);
void ReadPaintNet(std::span<const uint8_t> bytes, const PaletteOptions& options, PaletteRead& read);
std::vector<uint8_t> WritePaintNet(const PaletteContents& contents, const PaletteOptions& options);
void ReadAct(std::span<const uint8_t> bytes, const PaletteOptions& options, PaletteRead& read);
std::vector<uint8_t> WriteAct(const PaletteContents& contents, const PaletteOptions& options);
void ReadImage(std::span<const uint8_t> bytes, const PaletteOptions& options, PaletteRead& read);
std::vector<uint8_t> WriteImage(const PaletteContents& contents, const PaletteOptions& options);
void ReadBgr555(std::span<const uint8_t> bytes, const PaletteOptions& options, PaletteRead& read);
std::vector<uint8_t> WriteBgr555(const PaletteContents& contents, const PaletteOptions& options);
void ReadMdCram(std::span<const uint8_t> bytes, const PaletteOptions& options, PaletteRead& read);
std::vector<uint8_t> WriteMdCram(const PaletteContents& contents, const PaletteOptions& options);
void ReadSms(std::span<const uint8_t> bytes, const PaletteOptions& options, PaletteRead& read);
std::vector<uint8_t> WriteSms(const PaletteContents& contents, const PaletteOptions& options);
void ReadGg(std::span<const uint8_t> bytes, const PaletteOptions& options, PaletteRead& read);
std::vector<uint8_t> WriteGg(const PaletteContents& contents, const PaletteOptions& options);
void ReadNes(std::span<const uint8_t> bytes, const PaletteOptions& options, PaletteRead& read);
std::vector<uint8_t> WriteNes(const PaletteContents& contents, const PaletteOptions& options);
void ReadNesRam(std::span<const uint8_t> bytes, const PaletteOptions& options, PaletteRead& read);
std::vector<uint8_t> WriteNesRam(const PaletteContents& contents, const PaletteOptions& options);
void ReadPal(std::span<const uint8_t> bytes, const PaletteOptions& options, PaletteRead& read);
std::vector<uint8_t> WritePal(const PaletteContents& contents, const PaletteOptions& options);

// Shared by the binary readers: the number of whole entries of entrySize the bytes hold, at
// most full. A file of fewer than full entries is noted as short when the format's size is
// fixed; bytes past full entries (or a part of an entry) are noted as ignored.
size_t TakeEntries(std::span<const uint8_t> bytes, size_t entrySize, size_t full, bool fixedSize,
                   PaletteRead& read);
// The colour of entry k of a fixed-size format, black past the end.
Colour ColourAt(const PaletteContents& contents, size_t k);

// Shared by the text readers: the lines of a text, without their ends (LF, CR LF or CR).
std::vector<std::string_view> SplitLines(std::span<const uint8_t> bytes);
// Blanks (spaces and tabs) off both ends.
std::string_view TrimBlanks(std::string_view text);
// Reads a decimal number of at most 9 digits from the start of text, after blanks; text is
// advanced past it. False when there is no number.
bool TakeNumber(std::string_view& text, int& out);
// "r g b" at the start of a line, each 0-255, separated by blanks; what follows is left in
// rest. False when the line does not begin with three such numbers.
bool TakeColour(std::string_view line, Colour& out, std::string_view& rest);
// A text of exactly digits hexadecimal digits (either case, at most 8) as a number. False
// for anything else, a sign or a blank included.
bool TakeHexDigits(std::string_view text, size_t digits, uint32_t& out);
// The low digits hexadecimal digits of value, leading zeros kept.
std::string HexDigits(uint32_t value, size_t digits, bool upper);
// Text of one colour a line as digits hexadecimal digits whose low 24 bits are RRGGBB; blanks
// around it and blank lines are skipped, and so are lines starting with comment (if not 0).
// skip characters are taken off the front of a colour ('#'). A line that is no colour is the
// read's BadLine, with its number and expected.
void ReadHexColourLines(std::span<const uint8_t> bytes, size_t digits, char comment, char skip,
                        const char* expected, PaletteRead& read);
// A colour as 0xRRGGBB, and back from the low 24 bits of a number.
uint32_t RgbValue(Colour colour);
Colour ColourOfRgb(uint32_t value);

// The most colours a Paint.NET palette holds; a longer palette is written cut.
constexpr size_t PaintNetColours = 96;

} // namespace tavrin
