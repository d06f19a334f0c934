#include "gui/edit/TReplaceColorDialog.h"

#include "core/palette/CPalette.h"
#include "core/views/ImageRgb.h"
#include "gui/views/ImagePanel.h"
#include "qt/ImageBridge.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace tavrin {

namespace {

constexpr int PanelLeft = 8;
constexpr int ImageLeft = 4;
constexpr int LabelHeight = 14;
constexpr int ButtonWidth = 60;
constexpr int ButtonHeight = 23;

QFrame* MakePanel(const QString& name, QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return panel;
}

} // namespace

TReplaceColorDialog::TReplaceColorDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ReplaceColorDialog"));
    setWindowTitle(tr("色の置換"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_labelBefore = new QLabel(tr("置換前の色: ②色選択"), this);
    m_labelBefore->setObjectName(QStringLiteral("LabelBefore"));
    m_panelBefore = MakePanel(QStringLiteral("PanelBefore"), this);
    m_imageBefore = new ImagePanel(QStringLiteral("ImageBefore"), QSize(64, 16), m_panelBefore);

    m_labelAfter = new QLabel(tr("置換後の色: ①対象選択"), this);
    m_labelAfter->setObjectName(QStringLiteral("LabelAfter"));
    m_panelAfter = MakePanel(QStringLiteral("PanelAfter"), this);
    m_imageAfter = new ImagePanel(QStringLiteral("ImageAfter"), QSize(64, 16), m_panelAfter);

    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setObjectName(QStringLiteral("ButtonOK"));
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    m_cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("ButtonCancel"));
    m_cancel->setAutoDefault(false);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    for (const Row row : {Row::Before, Row::After}) {
        ImagePanel* image = row == Row::Before ? m_imageBefore : m_imageAfter;
        connect(image, &ImagePanel::Pressed, this, [this, row](Qt::MouseButton button, QPoint pos) {
            ImageMouseDown(row, button, pos);
        });
        connect(image, &ImagePanel::Moved, this,
                [this, row](QPoint pos) { ImageMouseMove(row, pos); });
        connect(image, &ImagePanel::Released, this,
                [this, row](Qt::MouseButton, QPoint) { m_model.Release(row); });
    }
    LayOut();
    Redraw();
}

void TReplaceColorDialog::SetColourCount(int n) {
    m_model.SetColourCount(n);
    // Laid out at once, so the caller can place the dialog by its final height.
    LayOut();
}

void TReplaceColorDialog::SetMasterColours(const CPalette& palette) {
    m_model.SetMasterColours(&palette);
}

void TReplaceColorDialog::Prepare(const uint8_t* groupEntries) {
    m_model.Prepare(groupEntries);
}

void TReplaceColorDialog::showEvent(QShowEvent* event) {
    m_model.Show();
    LayOut();
    Redraw();
    QDialog::showEvent(event);
}

void TReplaceColorDialog::LayOut() {
    const QSize imageSize(m_model.ImageWidth(), m_model.ImageHeight());
    const int clientWidth = m_model.ClientWidth(PanelLeft, ImageLeft);
    const int panelWidth = clientWidth - 2 * PanelLeft;
    const int panelHeight = imageSize.height() + 2 * ImageLeft;

    int y = 4;
    m_labelBefore->setGeometry(PanelLeft, y, panelWidth, LabelHeight);
    y += LabelHeight + 2;
    m_panelBefore->setGeometry(PanelLeft, y, panelWidth, panelHeight);
    y += panelHeight + 4;
    m_labelAfter->setGeometry(PanelLeft, y, panelWidth, LabelHeight);
    y += LabelHeight + 2;
    m_panelAfter->setGeometry(PanelLeft, y, panelWidth, panelHeight);
    y += panelHeight + 4;
    for (ImagePanel* image : {m_imageBefore, m_imageAfter}) {
        image->setFixedSize(imageSize);
        image->move(ImageLeft, ImageLeft);
    }
    m_cancel->setGeometry(clientWidth - PanelLeft - ButtonWidth, y, ButtonWidth, ButtonHeight);
    m_ok->setGeometry(clientWidth - PanelLeft - 2 * ButtonWidth - 4, y, ButtonWidth, ButtonHeight);
    setFixedSize(clientWidth, y + ButtonHeight + 5);
}

void TReplaceColorDialog::Redraw() {
    m_imageBefore->SetPicture(ToQImage(m_model.RenderRow(Row::Before)));
    m_imageAfter->SetPicture(ToQImage(m_model.RenderRow(Row::After)));
}

void TReplaceColorDialog::ImageMouseDown(Row row, Qt::MouseButton button, QPoint pos) {
    if (m_model.Press(row, MouseButtonIndex(button), pos.x(), pos.y()))
        Redraw();
}

void TReplaceColorDialog::ImageMouseMove(Row row, QPoint pos) {
    if (m_model.Move(row, pos.x(), pos.y()))
        Redraw();
}

} // namespace tavrin
