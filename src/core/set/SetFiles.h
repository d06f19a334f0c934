#pragma once

#include "core/platform/FileResult.h"
#include "core/set/SetDocument.h"
#include "core/set/SetRecords.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tavrin {

class Image8;

// The set window's files. No header in any of them:
//   .nam   960 name bytes, then 64 attribute bytes (1024 written)
//   .set   960 name bytes, then 960 palette numbers (1920 written)
//   .spd   64 sprites of Y, tile, attributes, X (256)
//   .spr / .chr   256 sprite tiles in the 2BPP NES layout (4096)
//   VirtuaNES state   name table and attribute bytes somewhere inside (read only)
// A short file fills only what it holds; the rest keeps its contents. Saves open an existing
// file without truncating it, or create it.

constexpr size_t NamFileSize = 1024;
constexpr size_t SetFileSize = 1920;
// From the "MMU " block of a VirtuaNES state to the name table it holds.
constexpr size_t VirtuaNesNameTableDistance = 8276;

// ".st?" in any letter case (and any longer extension starting so) is a VirtuaNES state,
// ".nam" a name table; everything else is read as a set file.
SetFileKind SetFileKindOf(const std::string& path);

// Loaders over the bytes a file holds.
void LoadNamBytes(SetDocument& doc, std::span<const uint8_t> bytes);
void LoadSetBytes(SetDocument& doc, std::span<const uint8_t> bytes);
// Where a state file keeps its name table: after the first "MMU " block when the file starts
// with "VirtuaNES", else at 0.
size_t VirtuaNesNameTableOffset(std::span<const uint8_t> bytes);
// The name table and, expanded, the palettes; what lies past the end of the file reads as 0.
// The attribute table itself is not changed.
void LoadVirtuaNesState(SetDocument& doc, std::span<const uint8_t> bytes);
void LoadSpriteTableBytes(SetDocument& doc, std::span<const uint8_t> bytes);
void LoadSpriteTileBytes(SetDocument& doc, std::span<const uint8_t> bytes);

// What the saves write. The NAM bytes carry the palettes packed into attribute bytes.
std::vector<uint8_t> NamFileBytes(const SetDocument& doc);
std::vector<uint8_t> SetFileBytes(const SetDocument& doc);

// File actions. A file that cannot be read or written changes nothing and fails with its
// reason.
FileResult LoadSetFile(SetDocument& doc, const std::string& path);
// Filter 1 writes a .nam, 2 a .set, 3 nothing (a new file is left empty). After a NAM save
// the document holds what was written: the packed attribute table, and the palettes as its
// expansion, so each 2 x 2 block takes its top-left cell's number AND 3; converted says
// that some number above 3 was cut.
SetFileResult SaveSetFile(SetDocument& doc, const std::string& path, SetSaveFilter filter);
FileResult LoadSpriteTiles(SetDocument& doc, const std::string& path);
FileResult LoadSpriteTable(SetDocument& doc, const std::string& path);
FileResult SaveSpriteTable(const SetDocument& doc, const std::string& path);
// The set image as an 8-bit bitmap with its palette, replacing an existing file.
FileResult SaveSetImage(const Image8& setImage, const std::string& path);

} // namespace tavrin
