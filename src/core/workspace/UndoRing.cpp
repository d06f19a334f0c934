#include "core/workspace/UndoRing.h"

#include <algorithm>
#include <cstring>

namespace tavrin {

UndoRing::UndoRing() {
    Reset();
}

void UndoRing::Reset() {
    m_current = m_newest = m_oldest = 0;
    for (UndoSnapshot& slot : m_slots) {
        slot.address = 0;
        slot.length = 0;
        slot.target = UndoTarget::Document;
        slot.data.assign(MinSnapshotBytes, 0);
    }
}

void UndoRing::Take(UndoSnapshot& slot, std::span<const uint8_t> rom, int address, int length) {
    // Only what lies inside the buffer is kept, so a restore never writes outside it.
    const int size = static_cast<int>(std::min<size_t>(rom.size(), INT32_MAX));
    address = std::clamp(address, 0, size);
    length = std::clamp(length, 0, size - address);
    slot.address = address;
    slot.length = length;
    slot.target = UndoTarget::Document;
    if (static_cast<int>(slot.data.size()) < length)
        slot.data.resize(static_cast<size_t>(length));
    if (length > 0)
        std::memcpy(slot.data.data(), rom.data() + address, static_cast<size_t>(length));
}

void UndoRing::Swap(UndoSnapshot& slot, std::span<uint8_t> rom) {
    const size_t end = static_cast<size_t>(slot.address) + static_cast<size_t>(slot.length);
    if (slot.length <= 0 || end > rom.size())
        return;
    std::swap_ranges(slot.data.begin(), slot.data.begin() + slot.length,
                     rom.begin() + slot.address);
}

void UndoRing::Record(std::span<const uint8_t> rom, int address, int length) {
    Take(Slot(m_current), rom, address, length);
    ++m_current;
    m_newest = m_current;
    if (m_oldest < m_current - MaxUndoSteps || m_oldest > m_current)
        m_oldest = m_current - MaxUndoSteps;
}

bool UndoRing::LastStepChangedNothing(std::span<const uint8_t> rom) const {
    if (m_current <= m_oldest || m_current != m_newest)
        return false;
    const int step = m_current - 1;
    const UndoSnapshot& slot =
        m_slots[static_cast<size_t>(((step % SlotCount) + SlotCount) % SlotCount)];
    if (slot.target != UndoTarget::Document)
        return false;
    const size_t end = static_cast<size_t>(slot.address) + static_cast<size_t>(slot.length);
    return end <= rom.size() && std::equal(slot.data.begin(), slot.data.begin() + slot.length,
                                           rom.begin() + slot.address);
}

void UndoRing::RecordPalettes(std::span<const uint8_t> palettes) {
    Record(palettes, 0, static_cast<int>(palettes.size()));
    Slot(m_current - 1).target = UndoTarget::Palettes;
}

bool UndoRing::Undo(std::span<uint8_t> rom, std::span<uint8_t> palettes, int& address,
                    UndoTarget& target) {
    const int step = m_current - 1;
    if (step < m_oldest || step > m_newest)
        return false;
    // The slot then holds the bytes after the change, ready for a redo.
    m_current = step;
    UndoSnapshot& slot = Slot(m_current);
    target = slot.target;
    Swap(slot, target == UndoTarget::Palettes ? palettes : rom);
    address = slot.address;
    return true;
}

bool UndoRing::Redo(std::span<uint8_t> rom, std::span<uint8_t> palettes, int& address,
                    UndoTarget& target) {
    const int step = m_current + 1;
    if (step > m_newest || m_current < m_oldest)
        return false;
    UndoSnapshot& slot = Slot(m_current);
    target = slot.target;
    Swap(slot, target == UndoTarget::Palettes ? palettes : rom);
    address = slot.address;
    m_current = step;
    return true;
}

bool UndoRing::Undo(std::span<uint8_t> rom, int& address) {
    UndoTarget target = UndoTarget::Document;
    return Undo(rom, {}, address, target);
}

bool UndoRing::Redo(std::span<uint8_t> rom, int& address) {
    UndoTarget target = UndoTarget::Document;
    return Redo(rom, {}, address, target);
}

} // namespace tavrin
