#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace tavrin {

// What one step changed: the document's bytes, or the palettes (master palette and palette
// set, as one block of bytes the workspace lays out).
enum class UndoTarget { Document, Palettes };

// The bytes of one page (or the palettes) as they were before a change.
struct UndoSnapshot {
    int32_t address = 0;
    int32_t length = 0;
    std::vector<uint8_t> data; // at least MinSnapshotBytes long; the first length are used
    UndoTarget target = UndoTarget::Document;
};

// The undo history: 33 snapshots in a ring, of which 32 steps can be undone. Each commit records
// the page before it changes. Undo and redo swap a snapshot's bytes with the ROM's, so a redo
// brings back exactly the range of the change it redoes, wherever the other changes were.
// Every address range is held within the ROM buffer it is given.
class UndoRing {
public:
    static constexpr int SlotCount = 33;
    static constexpr int MaxUndoSteps = SlotCount - 1;
    // The page of every 4-bit format; larger pages get larger snapshots.
    static constexpr int MinSnapshotBytes = 8192;

    UndoRing();

    // Takes a snapshot of rom[address .. address + length) before a change; drops every redo
    // step.
    void Record(std::span<const uint8_t> rom, int address, int length);
    // Takes the palettes' bytes before a change as one step; drops every redo step.
    void RecordPalettes(std::span<const uint8_t> palettes);
    // Step back or forward: the change's bytes are swapped back into rom (or palettes, for a
    // palette step, target says which) and its address is given. False when there is no step.
    bool Undo(std::span<uint8_t> rom, std::span<uint8_t> palettes, int& address,
              UndoTarget& target);
    bool Redo(std::span<uint8_t> rom, std::span<uint8_t> palettes, int& address,
              UndoTarget& target);
    // The same where no palette step was recorded.
    bool Undo(std::span<uint8_t> rom, int& address);
    bool Redo(std::span<uint8_t> rom, int& address);

    bool CanUndo() const { return m_oldest < m_current; }
    bool CanRedo() const { return m_current < m_newest; }
    // Forgets every step (a new document or a file load).
    void Reset();

    // Whether the step just recorded left rom's bytes as its snapshot holds them (a commit that
    // changed nothing; it is a step all the same). False when there is no such step.
    bool LastStepChangedNothing(std::span<const uint8_t> rom) const;
    // A number for the state the steps have reached: undoing and redoing back to the same
    // state gives the same number; every record gives a new one.
    int Position() const { return m_current; }

    int UndoSteps() const { return m_current - m_oldest; }
    int RedoSteps() const { return m_newest - m_current; }

private:
    UndoSnapshot& Slot(int step) {
        return m_slots[static_cast<size_t>(((step % SlotCount) + SlotCount) % SlotCount)];
    }
    static void Take(UndoSnapshot& slot, std::span<const uint8_t> rom, int address, int length);
    static void Swap(UndoSnapshot& slot, std::span<uint8_t> rom);

    std::array<UndoSnapshot, SlotCount> m_slots;
    int m_current = 0;
    int m_newest = 0;
    int m_oldest = 0;
};

} // namespace tavrin
