#include "core/views/CGrid.h"

namespace tavrin {

namespace {

constexpr std::array<DashPattern, CGrid::PatternCount> Patterns{{
    {true, false, true, false},
    {true, true, false, false},
    {true, true, true, true},
}};

} // namespace

const DashPattern& CGrid::Pattern(int index) {
    return Patterns[index >= 0 && index < PatternCount ? index : 0];
}

const DashPattern& CGrid::SelectPattern(int index) {
    if (index >= 0 && index < PatternCount)
        m_current = index;
    return CurrentPattern();
}

} // namespace tavrin
