#include "core/app/Editor.h"

#include "core/nav/AddressParse.h"
#include "core/nav/AddressStep.h"
#include "core/nav/ImageSearch.h"

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
        m_view.ShowMessage("Unknown Address Type.");
        return;
    }
    const int32_t value =
        StepValue(stepCode, m_doc.StartAddress(), m_doc.EndAddress(), WheelStepLines());
    m_address = StepAndClamp(*m_format, m_doc.Data(), m_address, value, stepCode, m_page.pageBytes,
                             m_doc.EndAddress());
    ShowPage();
}

void Editor::AddrJump(int address) {
    m_address = StepAndClamp(*m_format, m_doc.Data(), m_address, address, StepJump,
                             m_page.pageBytes, m_doc.EndAddress());
    ShowPage();
}

bool Editor::AddrJumpText(const std::string& text) {
    const std::optional<int32_t> address = ParseAddress(text);
    if (!address)
        return false;
    AddrJump(*address);
    return true;
}

std::string Editor::JumpDialogText() const {
    return FormatAddressText(m_address);
}

void Editor::AddrFind() {
    const std::span<const uint8_t> data(m_doc.Data(), static_cast<size_t>(m_doc.DataSize()));
    const std::optional<int32_t> found = FindNextImage(data, m_address, FormatTileBytes());
    if (!found) {
        m_view.ShowMessage("not found.");
        return;
    }
    m_address = *found;
    ShowPage();
    DrawTileView();
    UpdateEditView();
}

void Editor::ScrollBarChrChange(int position) {
    m_lastScrollPosition = position;
    m_address = ChrScrollAddress(position, m_doc.HeaderOffset(), m_page);
    ShowPage();
}

int Editor::ClampChrScroll(int position) const {
    return ClampChrScrollPosition(position, ChrScrollRange(m_doc.DataSize(), m_page), m_page);
}

void Editor::MouseWheel(int direction, WheelTarget target, bool comboFocused) {
    // Only every n-th notch acts, n being the system's wheel lines; the first one always.
    ++m_wheelNotch;
    if (m_wheelNotch % static_cast<uint32_t>(m_wheelLines) != 0)
        return;
    if (comboFocused)
        return;
    const int step = direction < 0 ? -1 : 1;
    switch (target) {
    case WheelTarget::DatPanel:
        ScrollBarDatChange(m_datView.TopRow() + step);
        return;
    case WheelTarget::PalPanel:
        ScrollBarPalChange(m_palView.TopRow() + step);
        return;
    case WheelTarget::Other:
        break;
    }
    AddrStep(step < 0 ? StepWheelUp : StepWheelDown);
}

} // namespace tavrin
