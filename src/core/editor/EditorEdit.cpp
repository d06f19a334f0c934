#include "core/editor/Editor.h"

#include "core/dib/BitmapFile.h"
#include "core/edit/ReplaceColourModel.h"
#include "core/platform/Cp932.h"
#include "core/platform/FileIO.h"
#include "core/platform/Text.h"
#include "core/views/TileViewGeometry.h"
#include "core/workspace/ImageIndices.h"
#include "core/workspace/PageTransfer.h"

#include <algorithm>
#include <cstdio>
#include <exception>

// Pens, the commit into the document, undo, and the commands of the Edit menu.

namespace tavrin {

namespace {

constexpr const char* CopyFailedText =
    TAVRIN_TR_NOOP("Editor", "Failed to copy image to clipboard.");

} // namespace

// ---- Pens ----

void Editor::PenExecute(int penNumber) {
    m_penNumber = penNumber;
    if (CPen* pen = m_pens.Get(penNumber)) {
        m_pen = pen;
        m_view.SetStatusText(StatusPanel::Pen, PenCaption(m_pen));
    }
    m_editView.ClearStamp();
    m_view.CommandStatesChanged();
    UpdateEditView();
    ShowMouseHints(2);
}

// ---- Commit and undo ----

PixelRect Editor::AreaPixels() const {
    return CBitmapEdit::ClampRect(m_ws.TileImage(), m_area.Pixels());
}

void Editor::CommitPage() {
    m_ws.CommitPage(this);
    RefreshCommandStates();
    if (m_captionModified != m_ws.IsModified())
        ShowCaption();
}

void Editor::CommitAndShow() {
    CommitPage();
    DecodePage();
    DrawTileView();
    UpdateEditView();
}

void Editor::ShowStep(int address, UndoTarget target) {
    if (target == UndoTarget::Palettes) {
        RebuildDisplayPalette();
        Redraw();
        return;
    }
    m_ws.SetAddress(address, this);
    ShowPage();
}

void Editor::EditUndo() {
    int address = 0;
    UndoTarget target = UndoTarget::Document;
    if (m_ws.UndoStep(address, this, &target)) {
        ShowStep(address, target);
    } else {
        m_view.Beep();
    }
    m_editView.ClearStamp();
    UpdateEditView();
    RefreshCommandStates();
}

void Editor::EditRedo() {
    int address = 0;
    UndoTarget target = UndoTarget::Document;
    if (m_ws.RedoStep(address, this, &target)) {
        ShowStep(address, target);
    } else {
        m_view.Beep();
    }
    RefreshCommandStates();
}

// ---- Pixel commands ----

void Editor::EditClear() {
    CBitmapEdit::FillBox(m_ws.Canvas(), AreaPixels(), 0);
    CommitAndShow();
}

void Editor::EditSelectAll() {
    m_area = ClampEditArea({0, 0, 15, 15});
    m_pastePreview = true;
    m_mouse.SetAreaChosenWhole();
    DrawTileView();
    UpdateEditView();
    // The area is square now: the rotations follow.
    RefreshCommandStates();
}

void Editor::EditMirror(MirrorAxis axis) {
    CBitmapEdit::Mirror(m_ws.Canvas(), AreaPixels(), axis);
    CommitAndShow();
}

void Editor::EditRotate(bool clockwise) {
    // A rectangle that is not square stays as it is; the commit still runs.
    CBitmapEdit::Rotate(m_ws.Canvas(), AreaPixels(), clockwise);
    CommitAndShow();
}

void Editor::EditShift(ShiftDirection direction) {
    CBitmapEdit::Shift(m_ws.Canvas(), AreaPixels(), direction);
    CommitAndShow();
}

// ---- Clipboard ----

bool Editor::CopyAreaToClipboard() {
    const PixelRect r = AreaPixels();
    bool ok = false;
    if (!r.IsEmpty()) {
        Image8 image(r.Width(), r.Height());
        image.Colours() = m_displayPalette;
        CBitmapEdit::CopyRectAnd(image, 0, 0, m_ws.TileImage(), r, m_ws.ColourMask());
        try {
            ok = m_view.SetClipboardDib(Image8ToDib(image));
        } catch (const std::exception&) {
            ok = false;
        }
    }
    if (!ok)
        m_view.ShowMessage(TranslateText("Editor", CopyFailedText));
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
            // The one rule of pictures: a true-colour picture in the page's own colours comes
            // back as those colour numbers, others are reduced as before.
            Image8 image;
            PictureIndices(DibPicture(m_view.ClipboardDib()), m_ws, OtherColours::Reduce, image);
            if (!optimise || m_view.RunColourOptimize(image, m_ws.Canvas())) {
                const PixelRect area = AreaPixels();
                CBitmapEdit::CopyRectAnd(m_ws.Canvas(), area.left, area.top, image,
                                         {0, 0, image.Width(), image.Height()}, m_ws.ColourMask());
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
    const std::array<uint8_t, CDatPalette::Size> entries = m_ws.PaletteSet().GroupEntries();
    std::array<uint8_t, 256> map{};
    if (!m_view.RunReplaceColour(m_ws.PaletteSet().GroupSize(), m_ws.Palette(), entries.data(),
                                 map))
        return;
    if (ApplyColourMap(m_ws.Canvas(), AreaPixels(), map, m_ws.ColourMask()) > 0) {
        CommitPage();
        DecodePage();
    }
    DrawTileView();
    UpdateEditView();
}

// ---- Snapshots ----

FileResult Editor::SaveSnapshot(const std::string& path) {
    FileResult written = WriteBitmapFile(path, m_ws.TileImage());
    // Said like every other failed save: what, where and why.
    if (!written)
        m_view.ReportFailure(written, FileAction::Save);
    return written;
}

void Editor::LoadSnapshot(const Image8& image, const std::string& source) {
    // One page of the command line's import, on the current page.
    m_ws.ImportPages(image, m_ws.Address(), 1, this);
    RefreshCommandStates();
    if (m_captionModified != m_ws.IsModified())
        ShowCaption();
    DecodePage();
    DrawTileView();
    UpdateEditView();
    std::string text = source;
    for (const std::string& line : ImportFitMessages({image.Width(), image.Height(), 1}))
        text += (text.empty() ? "" : "\n") + line;
    if (text != source)
        m_view.ShowMessage(text);
}

} // namespace tavrin
