#include "gui/edit/TColorOptimizeDlg.h"

#include "gui/views/ImagePanel.h"
#include "qt/ImageBridge.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace tavrin {

namespace {

// A sunken panel holding one picture of the given size, one pixel in from its edge.
ImagePanel* AddPicturePanel(QWidget* parent, const QString& panelName, const QString& imageName,
                            QRect panelRect, QSize imageSize) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(panelName);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setGeometry(panelRect);
    auto* image = new ImagePanel(imageName, imageSize, panel);
    image->move(1, 1);
    return image;
}

QLabel* AddLabel(QWidget* parent, const QString& name, const QString& text, QRect rect) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(rect);
    return label;
}

QCheckBox* AddCheckBox(QWidget* parent, const QString& name, const QString& text, QRect rect) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setGeometry(rect);
    return box;
}

QSlider* AddTrackBar(QWidget* parent, const QString& name, int min, int max, QRect rect) {
    auto* bar = new QSlider(Qt::Horizontal, parent);
    bar->setObjectName(name);
    bar->setRange(min, max);
    bar->setValue(max);
    bar->setPageStep(1);
    bar->setTickPosition(QSlider::TicksBelow);
    bar->setTickInterval(1);
    bar->setGeometry(rect);
    return bar;
}

} // namespace

TColorOptimizeDlg::TColorOptimizeDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ColorOptimizeDlg"));
    setWindowTitle(tr("色の最適化"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(499, 366);

    AddLabel(this, QStringLiteral("LabelSrcPreview"), tr("元画像(前処理適用):"), {8, 8, 140, 14});
    m_imageBmp1 = AddPicturePanel(this, QStringLiteral("PanelSrcPreview"),
                                  QStringLiteral("ImageBmp1"), {8, 24, 130, 130}, {128, 128});
    AddLabel(this, QStringLiteral("LabelDestPreview"), tr("プレビュー:"), {152, 8, 130, 14});
    m_imageBmp2 = AddPicturePanel(this, QStringLiteral("PanelDestPreview"),
                                  QStringLiteral("ImageBmp2"), {152, 24, 130, 130}, {128, 128});
    m_imagePal = AddPicturePanel(this, QStringLiteral("PanelPal"), QStringLiteral("ImagePal"),
                                 {152, 160, 130, 18}, {128, 16});

    m_srcReduce = AddCheckBox(this, QStringLiteral("CheckBoxSrcReduce"),
                              tr("処理前に画像の色数を減らす"), {8, 190, 260, 18});
    m_srcBit = AddTrackBar(this, QStringLiteral("TrackBarSrcBit"), 1, 8, {24, 210, 200, 26});
    m_labelSrcBit = AddLabel(this, QStringLiteral("LabelSrcBit"), QString(), {232, 214, 30, 14});

    m_setPalNum = AddCheckBox(this, QStringLiteral("CheckBoxSetPalNum"), tr("パレット数を指定する"),
                              {8, 242, 260, 18});
    m_setPalNum->setEnabled(false);
    m_destColorNum =
        AddTrackBar(this, QStringLiteral("TrackBarDestColorNum"), 2, 16, {24, 262, 200, 26});
    m_labelDestColor =
        AddLabel(this, QStringLiteral("LabelDestColor"), QString(), {232, 266, 30, 14});

    m_byUsedNum = AddCheckBox(this, QStringLiteral("CheckBoxByUsedNum"),
                              tr("使用頻度の高い順にパレットを並べる"), {8, 294, 262, 18});
    m_lessPalUnit = AddCheckBox(this, QStringLiteral("CheckBoxLessPalUnit"),
                                tr("使用頻度の少ない色を統合する"), {8, 314, 262, 18});
    m_lessPalUnit->setEnabled(false);

    m_panel1 =
        AddLabel(this, QStringLiteral("Panel1"), tr("この機能は未実装です"), {276, 242, 215, 80});
    m_panel1->setAlignment(Qt::AlignCenter);
    m_panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_panel1->setAutoFillBackground(true);
    QPalette red = m_panel1->palette();
    red.setColor(QPalette::Window, Qt::red);
    m_panel1->setPalette(red);

    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setObjectName(QStringLiteral("ButtonOk"));
    m_ok->setDefault(true);
    m_ok->setGeometry(336, 335, 75, 25);
    m_cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("ButtonCancel"));
    m_cancel->setAutoDefault(false);
    m_cancel->setGeometry(416, 335, 75, 25);

    UpdateEnabled();

    connect(m_srcReduce, &QCheckBox::toggled, this, &TColorOptimizeDlg::UpdateEnabled);
    connect(m_setPalNum, &QCheckBox::toggled, this, &TColorOptimizeDlg::UpdateEnabled);
    connect(m_srcBit, &QSlider::valueChanged, this, &TColorOptimizeDlg::SrcSettingChange);
    connect(m_destColorNum, &QSlider::valueChanged, this, &TColorOptimizeDlg::DestSettingChange);
    connect(m_byUsedNum, &QCheckBox::toggled, this, &TColorOptimizeDlg::DestSettingChange);
    connect(m_lessPalUnit, &QCheckBox::toggled, this, &TColorOptimizeDlg::DestSettingChange);
    connect(m_ok, &QPushButton::clicked, this, &TColorOptimizeDlg::ButtonOkClick);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TColorOptimizeDlg::SetImages(Image8* source, const Image8* destination) {
    m_source = source;
    m_destination = destination;
    // Rebuilt at once, so that OK always writes numbers made from these images.
    FormShow();
}

void TColorOptimizeDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TColorOptimizeDlg::FormShow() {
    // Refreshing the enabled states also rebuilds both pictures.
    UpdateEnabled();
}

void TColorOptimizeDlg::UpdateEnabled() {
    m_srcBit->setEnabled(m_srcReduce->isChecked());
    m_destColorNum->setEnabled(m_setPalNum->isChecked());
    m_labelSrcBit->setText(QString::number(m_srcBit->value()));
    m_labelDestColor->setText(QString::number(m_destColorNum->value()));
    MakeBeforeBmp();
    MakeAfterBmp();
    UpdateBmp();
}

void TColorOptimizeDlg::SrcSettingChange() {
    m_labelSrcBit->setText(QString::number(m_srcBit->value()));
    MakeBeforeBmp();
    MakeAfterBmp();
    UpdateBmp();
}

void TColorOptimizeDlg::DestSettingChange() {
    m_labelDestColor->setText(QString::number(m_destColorNum->value()));
    MakeAfterBmp();
    UpdateBmp();
}

void TColorOptimizeDlg::ReadOptions() {
    ColourOptimizeOptions& options = m_optimizer.Options();
    options.srcReduce = m_srcReduce->isChecked();
    options.srcBits = m_srcBit->value();
    options.setPalNum = m_setPalNum->isChecked();
    options.destColorNum = m_destColorNum->value();
    options.byUsedNum = m_byUsedNum->isChecked();
    options.lessPalUnit = m_lessPalUnit->isChecked();
}

void TColorOptimizeDlg::MakeBeforeBmp() {
    ReadOptions();
    // Without images (before the caller hands them over) the pictures are simply empty.
    static const Image8 none;
    m_optimizer.MakeBeforeBmp(m_source ? *m_source : none, m_destination ? *m_destination : none);
}

void TColorOptimizeDlg::MakeAfterBmp() {
    ReadOptions();
    static const Image8 none;
    m_optimizer.MakeAfterBmp(m_destination ? *m_destination : none);
}

void TColorOptimizeDlg::UpdateBmp() {
    m_imageBmp1->SetPicture(ToQImage(m_optimizer.Before()));
    m_imageBmp2->SetPicture(ToRgbImage(m_optimizer.After()));
    m_imagePal->SetPicture(ToQImage(m_optimizer.ColourStrip()));
}

void TColorOptimizeDlg::ButtonOkClick() {
    if (m_source)
        m_optimizer.Apply(*m_source);
    accept();
}

} // namespace tavrin
