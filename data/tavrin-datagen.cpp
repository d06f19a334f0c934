// Builds the standard files that sit beside the program (tavrin.pal, tavrin.dat, tavrin.adf
// and the demo tavrin.chr) from the readable sources in this folder, then loads them back
// through the program's own loaders and decoder to check them.
//
//   tavrin-datagen SOURCE_FOLDER OUTPUT_FOLDER

#include "core/formats/BuiltinFormats.h"
#include "core/formats/PageCodec.h"
#include "core/palette/CAdfPattern.h"
#include "core/palette/CDatPalette.h"
#include "core/palette/CPalette.h"
#include "core/platform/FileIO.h"
#include "core/platform/Image8.h"
#include "core/platform/SafeFileWriter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace tavrin;

namespace {

constexpr int ChrBytes = 8192;
constexpr int FirstSpriteTile = 0x40;
constexpr int FirstBackgroundTile = 0x60;
constexpr int FirstVerticalSpriteTile = 0x100;

struct Line {
    int number;
    std::string text;
};

[[noreturn]] void Fail(const std::string& file, int line, const std::string& message) {
    std::fprintf(stderr, "%s:%d: %s\n", file.c_str(), line, message.c_str());
    std::exit(1);
}

// The lines of a source file. Data files end a line at '#'; picture files, whose rows use
// '#' as ink, only skip lines that start with "# ".
std::vector<Line> ReadSource(const std::string& path, bool picture) {
    std::ifstream in(path);
    if (!in)
        Fail(path, 0, "cannot be read");
    std::vector<Line> lines;
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        if (picture) {
            if (text == "#" || text.rfind("# ", 0) == 0)
                continue;
        } else if (const size_t hash = text.find('#'); hash != std::string::npos) {
            text.erase(hash);
        }
        while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
            text.pop_back();
        if (!text.empty())
            lines.push_back({number, text});
    }
    return lines;
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

bool ParseHex(const std::string& word, size_t digits, unsigned long& value) {
    if (word.size() != digits)
        return false;
    char* end = nullptr;
    value = std::strtoul(word.c_str(), &end, 16);
    return *end == '\0';
}

Colour ParseColour(const std::string& file, const Line& line, const std::string& word) {
    unsigned long rgb = 0;
    if (!ParseHex(word, 6, rgb))
        Fail(file, line.number, "expected a colour RRGGBB, got \"" + word + "\"");
    return MakeColour((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// Sixteen colours evenly along the segments through the stops.
std::vector<Colour> Ramp(const std::vector<Colour>& stops) {
    std::vector<Colour> colours;
    const int segments = static_cast<int>(stops.size()) - 1;
    for (int k = 0; k < 16; ++k) {
        const double t = k * segments / 15.0;
        const int s = std::min(static_cast<int>(t), segments - 1);
        const double f = t - s;
        auto mix = [&](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * f)); };
        const Colour a = stops[s];
        const Colour b = stops[s + 1];
        colours.push_back(MakeColour(mix(RedOf(a), RedOf(b)), mix(GreenOf(a), GreenOf(b)),
                                     mix(BlueOf(a), BlueOf(b))));
    }
    return colours;
}

CPalette BuildPalette(const std::string& path) {
    std::vector<Colour> colours;
    for (const Line& line : ReadSource(path, false)) {
        const std::vector<std::string> words = Words(line.text);
        if (words[0] == "ramp") {
            if (words.size() < 3)
                Fail(path, line.number, "a ramp needs at least two stops");
            std::vector<Colour> stops;
            for (size_t i = 1; i < words.size(); ++i)
                stops.push_back(ParseColour(path, line, words[i]));
            for (Colour c : Ramp(stops))
                colours.push_back(c);
        } else if (words.size() == 1) {
            colours.push_back(ParseColour(path, line, words[0]));
        } else {
            Fail(path, line.number, "expected one colour or a ramp");
        }
    }
    if (colours.size() != 256)
        Fail(path, 0, "holds " + std::to_string(colours.size()) + " colours, not 256");
    CPalette palette;
    for (int i = 0; i < 256; ++i)
        palette.SetColor(i, colours[i]);
    return palette;
}

std::vector<uint8_t> BuildPaletteSet(const std::string& path) {
    std::vector<uint8_t> table;
    for (const Line& line : ReadSource(path, false)) {
        for (const std::string& word : Words(line.text)) {
            unsigned long value = 0;
            if (!ParseHex(word, 2, value))
                Fail(path, line.number, "expected a hex byte, got \"" + word + "\"");
            table.push_back(static_cast<uint8_t>(value));
        }
    }
    if (table.size() != 256)
        Fail(path, 0, "holds " + std::to_string(table.size()) + " entries, not 256");
    return table;
}

CAdfPattern BuildPatterns(const std::string& path) {
    CAdfPattern patterns;
    int index = 0;
    for (const Line& line : ReadSource(path, false)) {
        if (index >= CAdfPattern::EntryCount)
            Fail(path, line.number, "more than 64 patterns");
        const std::vector<std::string> words = Words(line.text);
        if (words.size() == 1 && words[0] == "normal") {
            patterns.SetPattern(index++, NormalPattern());
            continue;
        }
        const int w = words.size() == 3 ? std::atoi(words[0].c_str()) : 0;
        const int h = words.size() == 3 ? std::atoi(words[1].c_str()) : 0;
        if (w < 1 || w > 16 || h < 1 || h > 16 || (words[2] != "H" && words[2] != "V"))
            Fail(path, line.number, "expected \"normal\" or \"W H H|V\" with W, H in 1-16");
        patterns.SetPattern(index++, GenerateCharacterPattern(w, h, words[2] == "V"));
    }
    if (patterns.Count() != index)
        Fail(path, 0, "a pattern came out empty");
    return patterns;
}

// A picture read from rows of characters: '.' is 0, '1'-'3' colours, '#' colour 3.
struct Picture {
    std::string kind; // "glyph", "sprite" or "tile"
    std::string name;
    int size = 0;
    std::vector<uint8_t> pixels; // size x size

    uint8_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * size + x]; }
};

int PictureSize(const std::string& kind) {
    return kind == "sprite" ? 16 : 8;
}

// Every picture of a file: a header "KIND NAME" and then its rows.
std::vector<Picture> ReadPictures(const std::string& path) {
    std::vector<Picture> pictures;
    const std::vector<Line> lines = ReadSource(path, true);
    for (size_t i = 0; i < lines.size();) {
        const std::string& header = lines[i].text;
        const size_t space = header.find(' ');
        const std::string kind = header.substr(0, space);
        if (space == std::string::npos || (kind != "glyph" && kind != "sprite" && kind != "tile"))
            Fail(path, lines[i].number, "expected a picture header, got \"" + header + "\"");
        const int size = PictureSize(kind);
        if (i + size >= lines.size())
            Fail(path, lines[i].number, "picture is cut short");
        Picture picture{kind, header.substr(space + 1), size,
                        std::vector<uint8_t>(static_cast<size_t>(size) * size)};
        for (int y = 0; y < size; ++y) {
            const Line& row = lines[i + 1 + y];
            if (static_cast<int>(row.text.size()) != size)
                Fail(path, row.number, "row is not " + std::to_string(size) + " pixels wide");
            for (int x = 0; x < size; ++x) {
                const char c = row.text[x];
                uint8_t v = 0;
                if (c == '#' || c == '3')
                    v = 3;
                else if (c == '1' || c == '2')
                    v = static_cast<uint8_t>(c - '0');
                else if (c != '.')
                    Fail(path, row.number, std::string("unknown pixel '") + c + "'");
                picture.pixels[static_cast<size_t>(y) * size + x] = v;
            }
        }
        pictures.push_back(std::move(picture));
        i += size + 1;
    }
    return pictures;
}

std::vector<Picture> OfKind(const std::vector<Picture>& pictures, const std::string& kind) {
    std::vector<Picture> out;
    for (const Picture& p : pictures)
        if (p.kind == kind)
            out.push_back(p);
    return out;
}

// Copies an 8 x 8 part of a picture into tile t of a 512-tile sheet (two stacked pages).
void PutTile(Image8 pages[2], int tile, const Picture& picture, int px, int py) {
    Image8& page = pages[tile / 256];
    const int slot = tile % 256;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            page.SetPixel(slot % 16 * 8 + x, slot / 16 * 8 + y, picture.At(px + x, py + y));
}

// Ink as colour 3 with a colour-1 shadow one pixel right and down.
Picture Shadowed(const Picture& glyph) {
    Picture out = glyph;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool ink = glyph.At(x, y) != 0;
            const bool shadow = x > 0 && y > 0 && glyph.At(x - 1, y - 1) != 0;
            out.pixels[y * 8 + x] = ink ? 3 : (shadow ? 1 : 0);
        }
    }
    return out;
}

int GlyphCode(const std::string& path, const std::string& name) {
    if (name == "space")
        return 0x20;
    if (name.size() != 1 || name[0] < 0x20 || name[0] > 0x5F)
        Fail(path, 0, "glyph \"" + name + "\" is not a character from space to '_'");
    return name[0];
}

void BuildChr(const std::string& folder, Image8 pages[2]) {
    const std::string fontPath = folder + "/font.txt";
    const std::string spritePath = folder + "/sprites.txt";
    const std::vector<Picture> glyphs = ReadPictures(fontPath);
    if (glyphs.size() != OfKind(glyphs, "glyph").size())
        Fail(fontPath, 0, "holds pictures other than glyphs");
    for (const Picture& glyph : glyphs)
        PutTile(pages, GlyphCode(fontPath, glyph.name) - 0x20, Shadowed(glyph), 0, 0);

    const std::vector<Picture> art = ReadPictures(spritePath);
    const std::vector<Picture> sprites = OfKind(art, "sprite");
    const std::vector<Picture> tiles = OfKind(art, "tile");
    if (FirstSpriteTile + 4 * static_cast<int>(sprites.size()) > FirstBackgroundTile)
        Fail(spritePath, 0, "too many sprites");
    if (FirstBackgroundTile + static_cast<int>(tiles.size()) > 0x100 ||
        sprites.size() + tiles.size() != art.size())
        Fail(spritePath, 0, "too many tiles, or glyphs among the sprites");
    for (size_t k = 0; k < sprites.size(); ++k) {
        const int h = FirstSpriteTile + 4 * static_cast<int>(k);
        const int v = FirstVerticalSpriteTile + 4 * static_cast<int>(k);
        const int corners[4][2] = {{0, 0}, {8, 0}, {0, 8}, {8, 8}};
        for (int q = 0; q < 4; ++q) {
            PutTile(pages, h + q, sprites[k], corners[q][0], corners[q][1]);
            // Column by column: top left, bottom left, top right, bottom right.
            PutTile(pages, v + (q % 2) * 2 + q / 2, sprites[k], corners[q][0], corners[q][1]);
        }
    }
    for (size_t k = 0; k < tiles.size(); ++k)
        PutTile(pages, FirstBackgroundTile + static_cast<int>(k), tiles[k], 0, 0);
}

void Check(bool ok, const std::string& what) {
    if (!ok) {
        std::fprintf(stderr, "tavrin-datagen: check failed: %s\n", what.c_str());
        std::exit(1);
    }
}

void Check(const FileResult& result, const std::string& what) {
    Check(static_cast<bool>(result), what);
}

// The 16 x 16 pixels at (x, y) of a page as a picture, for comparing with a sprite.
bool SameBlock(const Image8& page, int x, int y, const Picture& sprite) {
    for (int dy = 0; dy < 16; ++dy)
        for (int dx = 0; dx < 16; ++dx)
            if (page.Pixel(x + dx, y + dy) != sprite.At(dx, dy))
                return false;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tavrin-datagen SOURCE_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string src = argv[1];
    const std::string out = argv[2];

    const CPalette palette = BuildPalette(src + "/palette.txt");
    const std::vector<uint8_t> table = BuildPaletteSet(src + "/paletteset.txt");
    CDatPalette paletteSet(&palette);
    paletteSet.SetTable(table.data(), table.size());
    const CAdfPattern patterns = BuildPatterns(src + "/patterns.txt");

    Image8 pages[2] = {Image8(128, 128), Image8(128, 128)};
    BuildChr(src, pages);
    std::vector<uint8_t> chr(ChrBytes, 0);
    CFormat_2NES format;
    format.Activate();
    for (int p = 0; p < 2; ++p) {
        PageSettings settings;
        settings.address = p * PageBytesFor(2);
        EncodePage(format, chr.data(), settings, pages[p]);
    }

    // Fixed-size files, written whole: a stale longer file must not keep its tail.
    for (const char* name : {"/tavrin.pal", "/tavrin.dat", "/tavrin.adf"})
        std::remove((out + name).c_str());
    Check(palette.SaveToFile(out + "/tavrin.pal"), "writing tavrin.pal");
    Check(paletteSet.SaveToFile(out + "/tavrin.dat"), "writing tavrin.dat");
    Check(patterns.SaveToFile(out + "/tavrin.adf"), "writing tavrin.adf");
    Check(WriteFileSafely(out + "/tavrin.chr", chr.data(), chr.size()), "writing tavrin.chr");

    // Read everything back the way the program does.
    CPalette palBack;
    Check(palBack.LoadFromFile(out + "/tavrin.pal") && palBack == palette, "tavrin.pal");
    CDatPalette datBack(&palBack);
    Check(datBack.LoadFromFile(out + "/tavrin.dat"), "tavrin.dat loads");
    Check(std::vector<uint8_t>(datBack.Table(), datBack.Table() + 256) == table, "tavrin.dat");
    CAdfPattern adfBack;
    Check(adfBack.LoadFromFile(out + "/tavrin.adf") && adfBack.ToBytes() == patterns.ToBytes(),
          "tavrin.adf");
    Check(adfBack.GetPattern(0).Name() == "Normal", "pattern 0 is \"Normal\"");
    std::vector<uint8_t> chrBack;
    Check(ReadWholeFile(out + "/tavrin.chr", chrBack) && chrBack == chr, "tavrin.chr");

    // Decoding gives back the drawn pages, and the sprites stand whole under the patterns
    // they were stored for.
    const std::vector<Picture> sprites = OfKind(ReadPictures(src + "/sprites.txt"), "sprite");
    const int h22 = [&] {
        for (int i = 0; i < adfBack.Count(); ++i)
            if (adfBack.GetPattern(i).Name() == "2,2 H")
                return i;
        return -1;
    }();
    const int v22 = [&] {
        for (int i = 0; i < adfBack.Count(); ++i)
            if (adfBack.GetPattern(i).Name() == "2,2 V")
                return i;
        return -1;
    }();
    Check(h22 >= 0 && v22 >= 0, "patterns \"2,2 H\" and \"2,2 V\" are present");
    for (int p = 0; p < 2; ++p) {
        Image8 decoded(128, 128);
        PageSettings settings;
        settings.address = p * PageBytesFor(2);
        DecodePage(format, chrBack.data(), settings, decoded);
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x)
                Check(decoded.Pixel(x, y) == pages[p].Pixel(x, y), "tavrin.chr decodes back");
    }
    for (size_t k = 0; k < sprites.size(); ++k) {
        Image8 decoded(128, 128);
        PageSettings settings;
        settings.pattern = adfBack.GetPattern(h22).tiles.data();
        DecodePage(format, chrBack.data(), settings, decoded);
        const int block = FirstSpriteTile / 4 + static_cast<int>(k);
        Check(SameBlock(decoded, block % 8 * 16, block / 8 * 16, sprites[k]),
              "sprite " + sprites[k].name + " under \"2,2 H\"");
        settings.address = PageBytesFor(2);
        settings.pattern = adfBack.GetPattern(v22).tiles.data();
        DecodePage(format, chrBack.data(), settings, decoded);
        const int vblock = (FirstVerticalSpriteTile - 256) / 4 + static_cast<int>(k);
        Check(SameBlock(decoded, vblock % 8 * 16, vblock / 8 * 16, sprites[k]),
              "sprite " + sprites[k].name + " under \"2,2 V\"");
    }
    format.Deactivate();
    return 0;
}
