#include "cli/CliHelp.h"

#include "core/startup/AppPaths.h"

namespace tavrin {

namespace {

const char* const kToolHelp =
    "Usage: tavrin-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Exports pages of tile graphics from ROM images to indexed bitmaps and imports them back,\n"
    "bit-exact, with the same formats, patterns and palettes as the Tavrin window.\n"
    "\n"
    "Commands:\n"
    "  formats [--palettes]    list the tile formats (or the palette file formats)\n"
    "  info ROM                show the document's sizes, addresses and default format\n"
    "  export ROM OUT [opts]   decode pages into OUT.bmp or OUT.png ('-': a PNG on\n"
    "                          standard output)\n"
    "  import ROM IN [opts]    encode IN.bmp or IN.png back into the ROM file in place\n"
    "  find ROM [opts]         find the next (or previous) graphics, or bytes\n"
    "  bookmarks ROM           list the bookmarks of ROM (ROM.bookmarks, made in the window)\n"
    "  scan ROM [opts]         list the packed blocks of a ROM (LZ10, LZ11, RLE30, SNES)\n"
    "  unpack ROM ADDRESS --codec C OUT\n"
    "                          write the unpacked bytes of the block at ADDRESS\n"
    "  pack IN --codec C OUT   write IN packed with codec C\n"
    "  render-set SET ROM OUT [opts]\n"
    "                          draw the set window's screen over a page into OUT.bmp or OUT.png\n"
    "  palette convert IN OUT [opts]\n"
    "                          write the palette file IN in another palette format\n"
    "\n"
    "Run 'tavrin-cli COMMAND --help' for the options of a command.\n"
    "Numbers are decimal or 0x-prefixed hexadecimal. Exit status: 0 success (notes and\n"
    "warnings on standard error say what was moved or left out), 1 not found, 2 bad input:\n"
    "one line on standard error, and nothing is written. Files are written whole beside the\n"
    "target and then renamed over it, so a failure part-way leaves the old file.\n"
    "Without arguments this text goes to standard error with status 2. 'tavrin-cli --version'\n"
    "prints the name and version.\n"
    "\n"
    "Files looked up ({LAYOUT}):\n"
    "  standard files    {STANDARD}.pal, .dat and .adf: the colours and\n"
    "                    patterns of a ROM without companion files of its own\n"
    "  settings file     {SETTINGS}: its [STATE] section places the colours\n"
    "                    that --state reads\n"
    "  plug-in folders   {PLUGIN_LINES}\n";

const char* const kFormatsHelp =
    "Usage: tavrin-cli formats [--palettes]\n"
    "\n"
    "Prints one line per format of the table, tab-separated: index, name, bits per pixel,\n"
    "tile width x height, extensions. The 13 built-in formats come first; a plug-in format\n"
    "(index 13 to 15: a *.so in one of the plug-in folders, searched in this order:\n"
    "{PLUGINS}) adds a sixth column, its header line: 'Ver.3  NAME ( EXTENSIONS )  by AUTHOR  ( "
    "URL )'. A plug-in that is refused is\n"
    "named on standard error with the reason.\n"
    "\n"
    "With --palettes: one line per palette file format instead, tab-separated: name (as\n"
    "--palette-format, --from and --to take it), description, extensions, the file sizes that\n"
    "tell it apart from formats of the same extension ('-': its content does), and where its\n"
    "entries may go: 'master' (the master palette), 'palette-set' (console colour memory,\n"
    "which the window may also put into the palette set), or both; the first is where\n"
    "--palette puts them.\n";

const char* const kPaletteFileOptions =
    "  --palette FILE    a palette file of another program or console colour memory (see\n"
    "                    'tavrin-cli formats --palettes'): its colours go into the master\n"
    "                    palette from entry 0, over --pal (the other entries keep theirs);\n"
    "                    NES palette RAM, which holds indices, goes into the palette set\n"
    "  --palette-format F\n"
    "                    the format of --palette (jasc, gpl, hex, paint.net, act, image,\n"
    "                    bgr555, md-cram, sms, gg, nes, nes-ram or pal) instead of the one\n"
    "                    found from its content, extension and size\n"
    "  --expand E        how 5-, 4-, 3- and 2-bit channels of --palette become 8 bits: full\n"
    "                    (the high bits repeated, so white is 255; the default) or shift\n"
    "                    (v << 3, as the save-state colours)\n";

const char* const kPaletteConvertHelp =
    "Usage: tavrin-cli palette convert IN OUT [--from F] [--to F] [--expand full|shift]\n"
    "                                 [--master FILE]\n"
    "\n"
    "Writes the palette file IN as the palette file OUT in another format. The format of IN\n"
    "is found from its content (the JASC-PAL and GIMP headers, PNG, BMP), else from its\n"
    "extension and, where formats share one, its exact size; the format of OUT from its\n"
    "extension when only one format has it. 'tavrin-cli formats --palettes' lists them. A\n"
    "file that fits no format, or fits several, is refused naming what was expected, and\n"
    "nothing is written; a short file is read as far as it goes, with a warning, and so is a\n"
    "palette longer than OUT's format holds (paint.net keeps 96 colours) written cut.\n"
    "\n"
    "Options:\n"
    "  --from F          the format of IN: jasc, gpl, hex, paint.net, act, image, bgr555,\n"
    "                    md-cram, sms, gg, nes, nes-ram or pal\n"
    "  --to F            the format of OUT (the same names)\n"
    "  --expand E        how 5-, 4-, 3- and 2-bit channels become 8 bits: full (the high bits\n"
    "                    repeated, white is 255; the default) or shift (v << 3)\n"
    "  --master FILE     a palette file (any format) whose colours NES palette RAM indexes;\n"
    "                    needed to turn nes-ram into colours or colours into nes-ram\n";

const char* const kInfoHelp =
    "Usage: tavrin-cli info ROM\n"
    "\n"
    "Prints 'key: value' lines: data size, header offset, start address, end address, and the\n"
    "format that the file's extension selects (index and name).\n";

const char* const kCodecOptions =
    "  --format F        table index or exact name (default: chosen by ROM's extension)\n"
    "  --address A       address of the first page (default: the start address). One\n"
    "                    whose page would reach past the end address is moved back to the\n"
    "                    last page by export (as the window does, with a note) and\n"
    "                    refused by import\n"
    "  --address @NAME   the place of the bookmark NAME of ROM.bookmarks: its address, and\n"
    "                    its format, pattern, rotation, mirror and palette group (as\n"
    "                    --entry) where those options are not given\n"
    "  --rotate R        0, 90, 180 or 270 (default 0)\n"
    "  --mirror M        none, horizontal, vertical or both (default none)\n"
    "  --pattern FILE.adf[:INDEX]\n"
    "                    arrange tiles by pattern INDEX (default 0) of a pattern file\n"
    "                    (default: pattern 0 of ROM's .adf, else of the standard\n"
    "                    {STANDARD}.adf)\n"
    "  --no-companions   leave out the companion files beside the ROM: ROM's name with\n"
    "                    .pal, .dat, .adf and .col, which colour and arrange the pages as\n"
    "                    in the window (over the standard {STANDARD}.pal,\n"
    "                    .dat and .adf; --pal, --dat and --pattern override them)\n";

const char* const kExportHelpHead =
    "Usage: tavrin-cli export ROM OUT.bmp|OUT.png|- [options]\n"
    "\n"
    "Decodes pages exactly as the tile view does and writes them as an indexed image, 128\n"
    "pixels wide, whose palette is the display palette: a bitmap at 8 bits per pixel, a PNG\n"
    "at the fewest bits (1, 2, 4 or 8) that hold every colour number the format and the\n"
    "palette group give. OUT '-' writes a PNG to standard output; an OUT that is a folder, a\n"
    "pipe or a device is refused at once. A PNG is made page by page as it is written, in\n"
    "the same memory at any page count, deflated on every core; a bitmap holds at most\n"
    "100000000 pixels (6103 pages), so more are refused with a word on PNG.\n"
    "\n"
    "Options:\n";

const char* const kExportHelpTail =
    "  --pages N|all     N pages stacked downwards (page k at address + k x page bytes;\n"
    "                    bytes past the data read as zero); 'all' is every page that\n"
    "                    starts inside the data before the end address, the pages that\n"
    "                    import --pages all takes back (default 1)\n"
    "  --pal FILE        palette file (default: ROM's .pal, else the standard\n"
    "                    {STANDARD}.pal)\n"
    "  --dat FILE        palette-set file (default: ROM's .dat, else the standard\n"
    "                    {STANDARD}.dat)\n";

const char* const kExportHelpColours =
    "  --entry E         selected palette-set entry; its group is the colour offset\n"
    "                    (default 0)\n"
    "  --palette-only    colour through the palette directly (identity palette set)\n"
    "  --state FILE      then colours from an emulator's save-state, as F12 takes them in\n"
    "                    the window: the section [STATE] of the settings file says, per\n"
    "                    file extension, where its palette and palette-set bytes lie\n"
    "  --ini FILE        the settings file for --state (default: {SETTINGS})\n"
    "  --packed C        the pages are the unpacked bytes of the packed block of codec C\n"
    "                    (lz10, lz11, rle30, snes-be, snes-le) at --address, from its first\n"
    "                    byte; a block that does not unpack is refused with the reason\n";

const char* const kImportHelpHead =
    "Usage: tavrin-cli import ROM IN.bmp|IN.png [options]\n"
    "\n"
    "Reads an image, writes each pixel's colour number AND the format's colour mask into\n"
    "the top-left 128 x 128 pixels of the decoded page, encodes the page back at the\n"
    "address and rewrites the ROM file in place (same length; bytes outside the page\n"
    "unchanged). With --pages, an image of pages stacked downwards (as export writes it)\n"
    "goes back page by page. The colour numbers of an image:\n"
    "  indexed (bitmaps of 1, 4 or 8 bits, RLE too; indexed PNG) and grey images: their\n"
    "  indices; true-colour images (bitmaps of 16, 24 or 32 bits; RGB PNG): the index of the\n"
    "  entry of exactly that colour in the palette export writes with the same --pal, --dat,\n"
    "  --entry and --palette-only (the entry's group first); the first pixel of another\n"
    "  colour refuses the image, named with its place.\n"
    "An address given is taken exactly: a page that would reach past the end address, or\n"
    "start past the end of the data, is refused. Warnings name what the pages do not take\n"
    "(columns past 128, rows past the pages, a page only partly covered, bytes past the end\n"
    "of the data). Imports into one ROM at the same time run one after the other.\n"
    "\n"
    "Options:\n";

const char* const kImportHelpTail =
    "  --pages N|all     import N pages from the image's rows 128 k … 128 k + 127 into the\n"
    "                    pages at address + k x page bytes; 'all' takes every page the\n"
    "                    image holds (default 1: only the top 128 rows are read). Every\n"
    "                    page must start inside the ROM's data\n"
    "  --pal FILE, --dat FILE, --palette FILE, --palette-format F, --expand E, --entry E,\n"
    "  --palette-only    the palette true colours are matched against, as for export\n"
    "  --packed C        work on the packed block of codec C at --address (lz10, lz11,\n"
    "                    rle30, snes-be, snes-le): the pages start at its first unpacked\n"
    "                    byte; the block is packed again, checked by unpacking, and written\n"
    "                    back in place when it fits in the old block's bytes, else refused\n"
    "  --append          put a block that no longer fits at the end of the file instead\n"
    "                    (on a 4-byte boundary)\n"
    "  --repoint         with --append: point the aligned 32-bit pointers to the old block\n"
    "                    (0x08000000 + address, little-endian; handheld codecs) at it\n";

const char* const kFindHelp =
    "Usage: tavrin-cli find ROM [--from A] [--format F] [--backward]\n"
    "       tavrin-cli find ROM --bytes HEX|--text TEXT [--from A] [--backward]\n"
    "\n"
    "Without --bytes or --text: searches, from the byte after A (default: the start\n"
    "address), for the next run of equal bytes at least one tile long and prints the address\n"
    "where it ends (on a 16-byte boundary) as 0x%06X, as F3 does in the window. With\n"
    "--backward it prints the last such place before A (default: the end of the data), as\n"
    "Shift+F3 does: what find prints from A, find --backward prints from just past it.\n"
    "With --bytes or --text: prints the address of the first match at or after A (default 0),\n"
    "or with --backward the last match that starts at or before A (default: the end of the\n"
    "data). The search does not wrap round. Prints 'not found.' on standard error and exits\n"
    "with status 1 when there is nothing.\n"
    "\n"
    "Options:\n"
    "  --from A          the current address\n"
    "  --format F        table index or exact name (default: chosen by ROM's extension);\n"
    "                    its tile size is the blank run the graphics search looks for\n"
    "  --backward        search towards the start of the file\n"
    "  --bytes HEX       hexadecimal bytes, two digits each, '?\?' for any byte and '?' for\n"
    "                    any digit: 'A9 ?? 8D 00 20' (blanks, commas, 0x and $ may separate)\n"
    "  --text TEXT       the bytes of TEXT in cp932 (ASCII text is its own bytes)\n";

const char* const kBookmarksHelp =
    "Usage: tavrin-cli bookmarks ROM\n"
    "\n"
    "Lists the bookmarks kept beside ROM in ROM.bookmarks, one a line, tab-separated: address\n"
    "(0x%06X), format, pattern index, rotation, mirror, palette group, name. A line of the\n"
    "file that cannot be read is named on standard error and skipped. The file is a text file\n"
    "of one bookmark a line: ADDRESS | FORMAT | PATTERN | ROTATION | MIRROR | GROUP | NAME.\n"
    "No file: nothing is listed. export, import and render-set take a bookmark's place with\n"
    "--address @NAME.\n";

const char* const kRenderSetHelpHead =
    "Usage: tavrin-cli render-set SET ROM OUT.png|OUT.bmp [options]\n"
    "\n"
    "Draws the screen the set window composes and writes it as a 256 x 240 indexed image (a\n"
    "PNG at the fewest bits that hold its colour numbers), the picture the window's "
    "\"SETの画像を保存\" writes. SET is read as the window\n"
    "reads it by its extension: .nam (name table and attribute bytes), .set (name table and\n"
    "palette numbers), .st? (the name table of a VirtuaNES state), anything else as .set. The\n"
    "tiles are the page of ROM that export decodes with the same options, in its palette.\n"
    "\n"
    "Options:\n";

const char* const kRenderSetHelpTail =
    "  --pal FILE, --dat FILE, --palette FILE, --palette-format F, --expand E, --entry E,\n"
    "  --palette-only, --state FILE, --ini FILE\n"
    "                    the display palette, as for export\n"
    "  --spd FILE        sprite table (64 sprites of Y, tile, attributes, X); draws the\n"
    "                    sprites over the screen as the window shows them\n"
    "  --spr FILE        sprite tiles (256 tiles in the 2BPP NES layout); goes with --spd\n";

const char* const kScanHelp =
    "Usage: tavrin-cli scan ROM [--codec C,...] [--min-size N] [--max-size N] [--align N]\n"
    "\n"
    "Lists every block of ROM that unpacks cleanly, one a line, tab-separated: address\n"
    "(0x%06X), codec, packed size, unpacked size. Exits with status 1 and 'no blocks found.'\n"
    "when there is none.\n"
    "\n"
    "Options:\n"
    "  --codec C,...     codecs to look for: lz10, lz11, rle30 (the handheld BIOS forms, with\n"
    "                    a header), snes-be, snes-le (the SNES command scheme with its repeat\n"
    "                    address big- or little-endian) (default lz10,lz11,rle30)\n"
    "  --min-size N      smallest unpacked size (default 32)\n"
    "  --max-size N      largest unpacked size (default 65536; larger headers are taken for\n"
    "                    chance bytes)\n"
    "  --align N         step between addresses tried (default 4 for the handheld codecs,\n"
    "                    1 for SNES)\n";

const char* const kUnpackHelp =
    "Usage: tavrin-cli unpack ROM ADDRESS --codec C OUT\n"
    "\n"
    "Unpacks the block at ADDRESS of ROM and writes its bytes to OUT. C is lz10, lz11, rle30,\n"
    "snes-be or snes-le. A block that does not unpack cleanly (a copy before the start of the\n"
    "output, data ending inside an item or before the end mark) is refused with the reason.\n";

const char* const kPackHelp =
    "Usage: tavrin-cli pack IN --codec C OUT [--allow-distance-1]\n"
    "\n"
    "Packs the bytes of IN with codec C (lz10, lz11, rle30, snes-be or snes-le) and writes\n"
    "them to OUT, after checking that they unpack to the same bytes. LZ10 copies never read\n"
    "from one byte back (video memory is written 16 bits at a time) unless\n"
    "--allow-distance-1 is given.\n";

void ReplaceAll(std::string& text, const std::string& token, const std::string& value) {
    for (size_t at = text.find(token); at != std::string::npos;
         at = text.find(token, at + value.size()))
        text.replace(at, token.size(), value);
}

std::string Joined(const std::vector<std::string>& items, const char* separator) {
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : separator) + item;
    return text.empty() ? "(none)" : text;
}

} // namespace

std::string WithPaths(std::string text, const AppPaths& paths) {
    // The files are named where this run looks them up, not where they might lie.
    ReplaceAll(text, "{LAYOUT}", paths.installed ? "installed" : "portable: beside the program");
    ReplaceAll(text, "{STANDARD}",
               paths.standardFiles.empty() ? std::string("(none)") : paths.standardFiles);
    ReplaceAll(text, "{SETTINGS}", paths.settingsFile.empty() ? "(none)" : paths.settingsFile);
    ReplaceAll(text, "{PLUGINS}", Joined(paths.pluginFolders, ", "));
    ReplaceAll(text, "{PLUGIN_LINES}", Joined(paths.pluginFolders, "\n                    "));
    return text;
}

std::string VersionHelp() {
    return "Usage: tavrin-cli --version\n\nPrints the program's name and version.\n";
}
std::string ToolHelp() {
    return kToolHelp;
}
std::string FormatsHelp() {
    return kFormatsHelp;
}
std::string InfoHelp() {
    return kInfoHelp;
}
std::string ExportHelp() {
    return std::string(kExportHelpHead) + kCodecOptions + kExportHelpTail + kPaletteFileOptions +
           kExportHelpColours;
}
std::string ImportHelp() {
    return std::string(kImportHelpHead) + kCodecOptions + kImportHelpTail;
}
std::string FindHelp() {
    return kFindHelp;
}
std::string BookmarksHelp() {
    return kBookmarksHelp;
}
std::string RenderSetHelp() {
    return std::string(kRenderSetHelpHead) + kCodecOptions + kRenderSetHelpTail;
}
std::string PaletteConvertHelp() {
    return kPaletteConvertHelp;
}
std::string ScanHelp() {
    return kScanHelp;
}
std::string UnpackHelp() {
    return kUnpackHelp;
}
std::string PackHelp() {
    return kPackHelp;
}

} // namespace tavrin
