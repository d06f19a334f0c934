#pragma once

#include "core/edit/CPen.h"

#include <array>
#include <string>

namespace tavrin {

// The pens of the edit view, by number: the ten built-in pens in order 0 to 9, room for 16.
class CPenTable {
public:
    static constexpr int Capacity = 16;

    CPenTable();
    CPenTable(const CPenTable&) = delete;
    CPenTable& operator=(const CPenTable&) = delete;

    // False (and nothing changes) when the table is full.
    bool Add(CPen* pen);
    // Null for an index outside 0 .. Count() - 1.
    CPen* Get(int index) const;
    int Count() const { return m_count; }

private:
    std::array<CPen*, Capacity> m_pens{};
    int m_count = 0;
    CPen0 m_pen0;
    CPen1 m_pen1;
    CPen2 m_pen2;
    CPen3 m_pen3;
    CPen4 m_pen4;
    CPen5 m_pen5;
    CPen6 m_pen6;
    CPen7 m_pen7;
    CPen8 m_pen8;
    CPen9 m_pen9;
};

// The pen's name as the status bar shows it, in the window's language; "" for no pen.
std::string PenCaption(const CPen* pen);

} // namespace tavrin
