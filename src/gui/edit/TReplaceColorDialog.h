#pragma once

#include "core/edit/ReplaceColourModel.h"

#include <QDialog>
#include <array>
#include <cstdint>

class QFrame;
class QLabel;
class QPushButton;

namespace tavrin {

class CPalette;
class ImagePanel;

// "色の置換": the user builds a colour replacement map for the current palette group by
// choosing a colour on the lower row (①) and what it becomes on the upper row (②). The model
// holds the map; the dialog shows its two rows and hands it the mouse.
class TReplaceColorDialog : public QDialog {
    Q_OBJECT
public:
    explicit TReplaceColorDialog(QWidget* parent = nullptr);

    void SetColourCount(int n);
    void SetMasterColours(const CPalette& palette);
    // Copies the 256 group entries and resets the map to the identity.
    void Prepare(const uint8_t* groupEntries);
    const std::array<uint8_t, 256>& Map() const { return m_model.Map(); }

    const ReplaceColourModel& Model() const { return m_model; }
    ImagePanel* ImageBefore() const { return m_imageBefore; }
    ImagePanel* ImageAfter() const { return m_imageAfter; }
    QPushButton* ButtonOk() const { return m_ok; }
    QPushButton* ButtonCancel() const { return m_cancel; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    using Row = ReplaceColourModel::Row;

    // Sizes the rows, panels and the dialog for the colour count.
    void LayOut();
    void Redraw();
    void ImageMouseDown(Row row, Qt::MouseButton button, QPoint pos);
    void ImageMouseMove(Row row, QPoint pos);

    ReplaceColourModel m_model;
    QLabel* m_labelBefore;
    QFrame* m_panelBefore;
    ImagePanel* m_imageBefore;
    QLabel* m_labelAfter;
    QFrame* m_panelAfter;
    ImagePanel* m_imageAfter;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

} // namespace tavrin
