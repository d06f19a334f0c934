// Set-window files from outside (.nam, .set, .spd, sprite tiles, VirtuaNES states), the
// screen drawn from them, and a short stream of mouse and key events on the window's rules.
#include "core/set/SetComposer.h"
#include "core/set/SetFiles.h"
#include "core/set/SetImage.h"

#include <cstdlib>
#include <cstring>

using namespace tavrin;

namespace {

void Check(bool ok) {
    if (!ok)
        std::abort();
}

int SignedAt(std::span<const uint8_t> bytes, size_t at) {
    return at + 1 < bytes.size() ? static_cast<int16_t>(bytes[at] | (bytes[at + 1] << 8)) : 0;
}

// Each event is 5 bytes: kind, then two little-endian 16-bit coordinates (or a key).
void Replay(SetComposer& set, std::span<const uint8_t> events) {
    for (size_t at = 0; at + 5 <= events.size(); at += 5) {
        const int kind = events[at] % 16;
        const int x = SignedAt(events, at + 1);
        const int y = SignedAt(events, at + 3);
        const int button = events[at] / 16 % 4 - 1;
        switch (kind) {
        case 0:
            set.ImageChrMouseDown(button, x, y);
            break;
        case 1:
            set.ImageChrMouseMove(x, y);
            break;
        case 2:
            set.ImageChrMouseUp(x, y);
            break;
        case 3:
            set.ImageSetMouseDown(button, x, y);
            break;
        case 4:
            set.ImageSetMouseMove(x, y);
            break;
        case 5:
            set.ImageSetMouseUp(x, y);
            break;
        case 6:
            set.ImagePalMouseDown(button, x, y);
            break;
        case 7:
            set.ImagePalMouseMove(x, y);
            break;
        case 8:
            set.ImagePalMouseUp(x, y);
            break;
        case 9:
            set.ChooseMode(static_cast<SetMode>((x & 0xFF) % 3));
            break;
        case 10:
            set.Key(static_cast<SetKey>((x & 0xFF) % 10));
            break;
        case 11:
            set.SetNesPaletteRule((x & 1) != 0);
            break;
        case 12:
            set.SetShowSprites((x & 1) != 0);
            break;
        case 13:
            set.SelectAll();
            break;
        default:
            break;
        }
        const CellSelection chr = set.ChrSelection().Normalized();
        const CellSelection cells = set.SetSelection().Normalized();
        Check(chr.x1 >= 0 && chr.x2 <= 15 && chr.y1 >= 0 && chr.y2 <= 15);
        Check(cells.x1 >= 0 && cells.x2 < 32 && cells.y1 >= 0 && cells.y2 < 30);
        Check(set.CurrentSprite() >= 0 && set.CurrentSprite() < 64);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);

    SetDocument nam;
    LoadNamBytes(nam, bytes);
    // A name table's palettes are whole 2 x 2 blocks of two-bit numbers, which pack and
    // expand to themselves.
    Check(!nam.HasWidePalettes());
    SetDocument again = nam;
    again.ExpandAttributes(nam.PackAttributes());
    Check(again.Palettes() == nam.Palettes());
    const std::vector<uint8_t> namBytes = NamFileBytes(nam);
    Check(namBytes.size() == NamFileSize &&
          std::memcmp(namBytes.data(), nam.Names().data(), 960) == 0);

    SetDocument set;
    LoadSetBytes(set, bytes);
    SetDocument copy;
    LoadSetBytes(copy, SetFileBytes(set));
    Check(copy.Names() == set.Names() && copy.Palettes() == set.Palettes());

    SetDocument state;
    LoadVirtuaNesState(state, bytes);
    Check(VirtuaNesNameTableOffset(bytes) <= size);
    Check(!state.HasWidePalettes());

    LoadSpriteTableBytes(set, bytes);
    LoadSpriteTileBytes(set, bytes.size() > 256 ? bytes.subspan(256) : bytes);
    Image8 source(size % 200, size % 130);
    std::memcpy(
        source.Bits(), data,
        std::min(size, static_cast<size_t>(source.Width()) * static_cast<size_t>(source.Height())));
    const Image8 screen = RenderSetImage(set, source, true);
    Check(screen.Width() == SetImageWidth && screen.Height() == SetImageHeight);

    // The window's rules redraw pictures on every event, so only a set file followed by at
    // most 16 events of 5 bytes replays them; longer inputs (states) keep a high rate.
    if (size > SetFileSize && size <= SetFileSize + 5 * 16) {
        SetComposer composer;
        composer.Document() = set;
        composer.SetTileSource(source, source.Colours());
        Replay(composer, bytes.subspan(SetFileSize));
    }
    return 0;
}
