#include "core/edit/CPenTable.h"

#include "core/platform/Cp932.h"
#include "core/platform/Text.h"

namespace tavrin {

CPenTable::CPenTable() {
    for (CPen* pen :
         {static_cast<CPen*>(&m_pen0), static_cast<CPen*>(&m_pen1), static_cast<CPen*>(&m_pen2),
          static_cast<CPen*>(&m_pen3), static_cast<CPen*>(&m_pen4), static_cast<CPen*>(&m_pen5),
          static_cast<CPen*>(&m_pen6), static_cast<CPen*>(&m_pen7), static_cast<CPen*>(&m_pen8),
          static_cast<CPen*>(&m_pen9)})
        Add(pen);
}

bool CPenTable::Add(CPen* pen) {
    if (m_count >= Capacity)
        return false;
    m_pens[static_cast<size_t>(m_count)] = pen;
    ++m_count;
    return true;
}

CPen* CPenTable::Get(int index) const {
    if (index < 0 || index >= m_count)
        return nullptr;
    return m_pens[static_cast<size_t>(index)];
}

std::string PenCaption(const CPen* pen) {
    return pen ? TranslateText("Pens", Cp932ToUtf8(pen->GetInfo()->name).c_str()) : std::string();
}

} // namespace tavrin
