#include "core/editor/Editor.h"

#include "core/views/PaletteViewRules.h"

#include "core/nav/AddressStep.h"
#include "core/nav/ImageSearch.h"
#include "core/platform/Text.h"

#include <algorithm>
#include <span>

// Moving the current address: steps, the jump, the image search, the CHR scroll bar and the
// mouse wheel.

namespace tavrin {

int Editor::WheelStepLines() const {
    return m_wheelCount >= 1 ? m_wheelCount : m_wheelLines;
}

void Editor::AddrStep(int stepCode) {
    if (!IsAddressStepCode(stepCode)) {
        m_view.ShowMessage(TAVRIN_TR("Editor", "Unknown Address Type."));
        return;
    }
    const int32_t value = StepValue(stepCode, m_ws.Document().StartAddress(),
                                    m_ws.Document().EndAddress(), WheelStepLines());
    m_ws.SetAddress(StepAndClamp(m_ws.Format(), m_ws.Document().Data(), m_ws.Address(), value,
                                 stepCode, m_ws.Page().pageBytes, m_ws.Document().EndAddress()),
                    this);
    ShowPage();
}

void Editor::AddrJump(int address) {
    m_ws.SetAddress(StepAndClamp(m_ws.Format(), m_ws.Document().Data(), m_ws.Address(), address,
                                 StepJump, m_ws.Page().pageBytes, m_ws.Document().EndAddress()),
                    this);
    ShowPage();
}

void Editor::AddrFind() {
    const std::span<const uint8_t> data(m_ws.Document().Data(),
                                        static_cast<size_t>(m_ws.Document().DataSize()));
    const std::optional<int32_t> found = FindNextImage(data, m_ws.Address(), m_ws.TileBytes());
    if (!found) {
        m_view.ShowMessage(TAVRIN_TR("Editor", "not found."));
        return;
    }
    m_ws.SetAddress(*found, this);
    ShowPage();
    DrawTileView();
    UpdateEditView();
}

void Editor::ScrollBarChange(ScrollBarId bar, int position) {
    if (bar != ScrollBarId::Chr)
        return SetScrollPosition(bar, position);
    m_lastScrollPosition = position;
    m_ws.SetAddress(ChrScrollAddress(position, m_ws.Document().HeaderOffset(), m_ws.Page()), this);
    ShowPage();
}

void Editor::SetScrollPosition(ScrollBarId bar, int position) {
    switch (bar) {
    case ScrollBarId::Chr:
        m_lastScrollPosition = position;
        break;
    case ScrollBarId::Dat:
        position = std::max(ClampPaletteScroll(position, DatScrollRange(m_paletteOnly)), 0);
        m_datView.SetTopRow(position);
        break;
    case ScrollBarId::Pal:
        position = std::max(ClampPaletteScroll(position, PalScrollRange()), 0);
        m_palView.SetTopRow(position);
        break;
    }
    m_view.SetScrollPosition(bar, position);
}

void Editor::MouseWheel(int direction, WheelTarget target) {
    // Only every n-th notch acts, n being the system's wheel lines; the first one always.
    ++m_wheelNotch;
    if (m_wheelNotch % static_cast<uint32_t>(m_wheelLines) != 0)
        return;
    const int step = direction < 0 ? -1 : 1;
    switch (target) {
    case WheelTarget::DatPanel:
        ScrollBarChange(ScrollBarId::Dat, m_datView.TopRow() + step);
        return;
    case WheelTarget::PalPanel:
        ScrollBarChange(ScrollBarId::Pal, m_palView.TopRow() + step);
        return;
    case WheelTarget::Other:
        break;
    }
    AddrStep(step < 0 ? StepWheelUp : StepWheelDown);
}

} // namespace tavrin
