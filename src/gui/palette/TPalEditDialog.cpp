#include "gui/palette/TPalEditDialog.h"

#include "core/palette/CPalette.h"
#include "gui/views/ImagePanel.h"
#include "qt/ImageBridge.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>

namespace tavrin {

namespace {

constexpr int ClientWidth = 298;
constexpr int ClientHeight = 73;
constexpr int ImageFrameLeft = 2;
constexpr int ArrowSize = 16;

QToolButton* MakeArrow(Qt::ArrowType type, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(type);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

HorizontalUpDown::HorizontalUpDown(const QString& name, int tag, QWidget* parent)
    : QWidget(parent), m_tag(tag) {
    setObjectName(name);
    setFixedSize(2 * ArrowSize, ArrowSize);
    m_down = MakeArrow(Qt::LeftArrow, this);
    m_down->setObjectName(name + QStringLiteral("Down"));
    m_down->setGeometry(0, 0, ArrowSize, ArrowSize);
    m_up = MakeArrow(Qt::RightArrow, this);
    m_up->setObjectName(name + QStringLiteral("Up"));
    m_up->setGeometry(ArrowSize, 0, ArrowSize, ArrowSize);
    connect(m_down, &QToolButton::clicked, this, [this] { Step(-1); });
    connect(m_up, &QToolButton::clicked, this, [this] { Step(1); });
}

void HorizontalUpDown::SetPosition(int position) {
    m_position = std::clamp(position, 0, 255);
}

void HorizontalUpDown::Step(int delta) {
    m_position = std::clamp(m_position + delta, 0, 255);
    if (m_onClick)
        m_onClick(m_tag, m_position);
}

TPalEditDialog::TPalEditDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("PalEditDialog"));
    setWindowTitle(tr("パレットエディタ"));
    setFixedSize(ClientWidth, ClientHeight);

    m_panelOut = new QFrame(this);
    m_panelOut->setObjectName(QStringLiteral("PanelOut"));
    m_panelOut->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_panelOut->setGeometry(0, 0, ClientWidth, ClientHeight);
    m_panelOut->installEventFilter(this);

    m_panelImage = new QFrame(m_panelOut);
    m_panelImage->setObjectName(QStringLiteral("PanelImage"));
    m_panelImage->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_panelImage->setLineWidth(1);
    m_panelImage->setGeometry(ImageFrameLeft, ImageFrameLeft, PaletteBarsWidth + 2,
                              PaletteBarsHeight + 2);
    m_image = new ImagePanel(QStringLiteral("ImagePalette"),
                             QSize(PaletteBarsWidth, PaletteBarsHeight), m_panelImage);
    m_image->move(1, 1);

    const int barsTop = ImageFrameLeft + 1;
    const int arrowsLeft = ImageFrameLeft + PaletteBarsWidth + 4;
    const char* names[3] = {"UpDownR", "UpDownG", "UpDownB"};
    for (int channel = 0; channel < 3; ++channel) {
        auto* upDown =
            new HorizontalUpDown(QString::fromLatin1(names[channel]), channel, m_panelOut);
        upDown->move(arrowsLeft, barsTop + PaletteBarHeight * channel);
        upDown->SetClickHandler([this](int tag, int position) { UpDownClick(tag, position); });
        m_upDowns[channel] = upDown;
    }

    const int belowBars = ImageFrameLeft + PaletteBarsHeight + 2 + 3;
    m_panelColor = new QFrame(m_panelOut);
    m_panelColor->setObjectName(QStringLiteral("PanelColor"));
    m_panelColor->setAutoFillBackground(true);
    m_panelColor->setGeometry(barsTop, belowBars, 32, 16);

    m_labelInfo = new QLabel(m_panelOut);
    m_labelInfo->setObjectName(QStringLiteral("LabelInfo"));
    m_labelInfo->setGeometry(barsTop + 40, belowBars, 80, 16);

    m_buttonClose = new QPushButton(QStringLiteral("OK"), m_panelOut);
    m_buttonClose->setObjectName(QStringLiteral("ButtonClose"));
    m_buttonClose->setDefault(true);
    m_buttonClose->setAutoDefault(true);
    m_buttonClose->setGeometry(ClientWidth - 4 - 57, belowBars - 1, 57, 19);
    connect(m_buttonClose, &QPushButton::clicked, this, &QDialog::accept);

    connect(m_image, &ImagePanel::Pressed, this, &TPalEditDialog::ImagePaletteMouseDown);
    connect(m_image, &ImagePanel::Moved, this, &TPalEditDialog::ImagePaletteMouseMove);
    connect(m_image, &ImagePanel::Released, this, [this] { m_drag.Release(); });
    Refresh();
}

void TPalEditDialog::SetPalette(CPalette* palette, int entry) {
    SetPalette(palette, entry, [palette](int index, Colour colour) {
        if (palette != nullptr)
            palette->SetColor(index, colour);
    });
}

void TPalEditDialog::SetPalette(const CPalette* palette, int entry,
                                std::function<void(int, Colour)> store) {
    m_palette = palette;
    m_store = std::move(store);
    m_entry = entry;
    if (isVisible())
        Refresh();
}

void TPalEditDialog::showEvent(QShowEvent* event) {
    m_drag.Reset();
    Refresh();
    QDialog::showEvent(event);
    // A pop-up that never had the focus could not lose it, and so would not close.
    activateWindow();
}

void TPalEditDialog::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    // However it closes (OK, Escape, a click elsewhere; shown or run modally), the main window
    // redraws once more, and a drag whose release will never arrive is forgotten.
    m_drag.Reset();
    NotifyMainWindow();
}

void TPalEditDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow())
        reject();
}

bool TPalEditDialog::eventFilter(QObject* watched, QEvent* event) {
    // A press on the frame around the bars closes, as a click outside would; presses on the
    // swatch and the label are left alone.
    if (watched == m_panelOut && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        QWidget* child = m_panelOut->childAt(mouse->position().toPoint());
        if (child == nullptr || child == m_panelImage) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TPalEditDialog::Refresh() {
    const Colour colour = m_palette != nullptr ? m_palette->GetColor(m_entry) : 0;
    const int values[3] = {RedOf(colour), GreenOf(colour), BlueOf(colour)};
    for (int channel = 0; channel < 3; ++channel)
        m_upDowns[channel]->SetPosition(values[channel]);

    QImage bars = ToRgbImage(PaletteBarsPicture(colour));
    {
        QPainter painter(&bars);
        painter.setPen(Qt::white);
        painter.setFont(font());
        for (int channel = 0; channel < 3; ++channel)
            painter.drawText(QRect(16, PaletteBarHeight * channel + 2, 64, PaletteBarHeight),
                             Qt::AlignLeft | Qt::AlignTop,
                             QString::asprintf("%02X", values[channel]));
    }
    m_image->SetPicture(bars);

    QPalette swatch = m_panelColor->palette();
    swatch.setColor(QPalette::Window, QColor(values[0], values[1], values[2]));
    m_panelColor->setPalette(swatch);
    m_labelInfo->setText(QString::asprintf("Pal:%02X", m_entry));
}

void TPalEditDialog::NotifyMainWindow() {
    if (m_onChanged)
        m_onChanged();
}

void TPalEditDialog::ImagePaletteMouseDown(Qt::MouseButton button, QPoint pos) {
    if (m_drag.Press(MouseButtonIndex(button))) {
        reject();
        return;
    }
    ImagePaletteMouseMove(pos);
}

bool TPalEditDialog::Edit(const std::function<bool(CPalette&)>& change) {
    if (m_palette == nullptr)
        return false;
    CPalette copy;
    copy.SetColor(m_entry, m_palette->GetColor(m_entry));
    if (!change(copy))
        return false;
    if (m_store)
        m_store(m_entry, copy.GetColor(m_entry));
    return true;
}

void TPalEditDialog::ImagePaletteMouseMove(QPoint pos) {
    if (!Edit([&](CPalette& p) { return m_drag.Move(p, m_entry, pos.x(), pos.y()); }))
        return;
    Refresh();
    NotifyMainWindow();
}

void TPalEditDialog::UpDownClick(int channel, int position) {
    // Without a palette the controls fall back to the shown colour.
    const bool stored = Edit([&](CPalette& p) {
        SetChannel(p, m_entry, channel, position);
        return true;
    });
    Refresh();
    if (stored)
        NotifyMainWindow();
}

} // namespace tavrin
