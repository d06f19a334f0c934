#include "core/app/Editor.h"

#include "core/dib/BitmapFile.h"
#include "core/edit/ReplaceColourModel.h"
#include "core/platform/Cp932.h"
#include "core/platform/FileIO.h"
#include "core/views/TileViewGeometry.h"

#include <algorithm>
#include <cstdio>
#include <exception>

// Pens, the commit into the document, undo, and the commands of the Edit menu.

namespace tavrin {

namespace {

constexpr const char* CopyFailedText = "Failed to copy image to clipboard.";

} // namespace

// ---- Pens ----

void Editor::PenExecute(int penNumber) {
    m_penNumber = penNumber;
    if (CPen* pen = m_pens.Get(penNumber)) {
        m_pen = pen;
        m_view.SetStatusText(StatusPanel::Pen, CurrentPenName());
    }
    m_editView.ClearStamp();
    m_view.CommandStatesChanged();
    UpdateEditView();
    ShowMouseHints(2);
}

std::string Editor::CurrentPenName() const {
    return m_pen ? Cp932ToUtf8(m_pen->GetInfo()->name) : std::string();
}

// ---- Commit and undo ----

uint8_t Editor::ColourMask() const {
    // The palette set follows the format's bits per pixel.
    return static_cast<uint8_t>(m_datPalette.ColourMask());
}

PixelRect Editor::AreaPixels() const {
    return CBitmapEdit::ClampRect(m_tileImage, m_area.Pixels());
}

void Editor::CommitPage() {
    // The whole reach of the encode: the page, or more for a plug-in's tiles through a pattern.
    const int length = std::min(std::max(m_page.pageBytes, BlockBytes()), m_doc.BufferSize());
    m_undo.Record({m_doc.Data(), static_cast<size_t>(m_doc.BufferSize())}, m_address, length);
    RefreshCommandStates();
    if (!PageFitsBuffer())
        return;
    tavrin::EncodePage(*m_format, m_doc.Data(), CurrentPageSettings(), m_tileImage);
}

void Editor::CommitAndShow() {
    CommitPage();
    DecodePage();
    DrawTileView();
    UpdateEditView();
}

void Editor::EditUndo() {
    int address = 0;
    if (m_undo.Undo({m_doc.Data(), static_cast<size_t>(m_doc.BufferSize())}, address)) {
        m_address = address;
        ShowPage();
    } else {
        m_view.Beep();
    }
    m_editView.ClearStamp();
    UpdateEditView();
    RefreshCommandStates();
}

void Editor::EditRedo() {
    int address = 0;
    if (m_undo.Redo({m_doc.Data(), static_cast<size_t>(m_doc.BufferSize())}, address)) {
        m_address = address;
        ShowPage();
    } else {
        m_view.Beep();
    }
    RefreshCommandStates();
}

// ---- Pixel commands ----

void Editor::EditClear() {
    CBitmapEdit::FillBox(m_tileImage, AreaPixels(), 0);
    CommitAndShow();
}

void Editor::EditSelectAll() {
    m_area = ClampEditArea({0, 0, 15, 15});
    m_pastePreview = true;
    m_lastReleaseRight = true;
    DrawTileView();
    UpdateEditView();
    // The area is square now: the rotations follow.
    RefreshCommandStates();
}

void Editor::EditMirror(MirrorAxis axis) {
    CBitmapEdit::Mirror(m_tileImage, AreaPixels(), axis);
    CommitAndShow();
}

void Editor::EditRotate(bool clockwise) {
    // A rectangle that is not square stays as it is; the commit still runs.
    CBitmapEdit::Rotate(m_tileImage, AreaPixels(), clockwise);
    CommitAndShow();
}

void Editor::EditShift(ShiftDirection direction) {
    CBitmapEdit::Shift(m_tileImage, AreaPixels(), direction);
    CommitAndShow();
}

// ---- Clipboard ----

bool Editor::CopyAreaToClipboard() {
    const PixelRect r = AreaPixels();
    bool ok = false;
    if (!r.IsEmpty()) {
        Image8 image(r.Width(), r.Height());
        image.Colours() = m_displayPalette;
        CBitmapEdit::CopyRectAnd(image, 0, 0, m_tileImage, r, ColourMask());
        try {
            ok = m_view.SetClipboardDib(Image8ToDib(image));
        } catch (const std::exception&) {
            ok = false;
        }
    }
    if (!ok)
        m_view.ShowMessage(CopyFailedText);
    return ok;
}

void Editor::EditCopy() {
    CopyAreaToClipboard();
    RefreshCommandStates();
    m_pastePreview = true;
    UpdateEditView();
}

void Editor::EditCut() {
    // Pixels that did not reach the clipboard are not cleared: they would exist nowhere.
    if (CopyAreaToClipboard())
        EditClear();
    RefreshCommandStates();
    m_pastePreview = true;
    UpdateEditView();
}

void Editor::EditPaste(bool optimise) {
    if (!m_view.ClipboardHasDib()) {
        m_view.Beep();
    } else {
        try {
            Image8 image;
            DibToImage8(m_view.ClipboardDib(), image);
            if (!optimise || m_view.RunColourOptimize(image, m_tileImage)) {
                const PixelRect area = AreaPixels();
                CBitmapEdit::CopyRectAnd(m_tileImage, area.left, area.top, image,
                                         {0, 0, image.Width(), image.Height()}, ColourMask());
            }
        } catch (const std::exception&) {
            // Unreadable clipboard data pastes nothing; the page is still committed.
            m_view.Beep();
        }
    }
    CommitAndShow();
}

void Editor::EditClearClipboard() {
    m_view.ClearClipboard();
    RefreshCommandStates();
    UpdateEditView();
}

// ---- Colour replacement ----

void Editor::ReplaceColour() {
    const std::array<uint8_t, CDatPalette::Size> entries = m_datPalette.GroupEntries();
    std::array<uint8_t, 256> map{};
    if (!m_view.RunReplaceColour(m_datPalette.GroupSize(), m_palette, entries.data(), map))
        return;
    if (ApplyColourMap(m_tileImage, AreaPixels(), map, ColourMask()) > 0) {
        CommitPage();
        DecodePage();
    }
    DrawTileView();
    UpdateEditView();
}

// ---- Snapshots ----

std::string Editor::SnapshotSuggestedName() {
    char name[32];
    for (int n = 0; n <= 999; ++n) {
        std::snprintf(name, sizeof name, "chr%03d.bmp", n);
        if (!FileExists(name))
            return name;
    }
    return "chr000.bmp";
}

bool Editor::SaveSnapshot(const std::string& path) {
    if (WriteBitmapFile(path, m_tileImage))
        return true;
    m_view.ShowMessage("The snapshot could not be written:\n" + path);
    return false;
}

void Editor::LoadSnapshot(const Image8& image) {
    const int w = std::min(image.Width(), m_tileImage.Width());
    const int h = std::min(image.Height(), m_tileImage.Height());
    CBitmapEdit::CopyRectAnd(m_tileImage, 0, 0, image, {0, 0, w, h}, ColourMask());
    CommitAndShow();
}

} // namespace tavrin
