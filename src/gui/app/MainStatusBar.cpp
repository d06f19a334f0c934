#include "gui/app/MainStatusBar.h"

#include "gui/app/ActionIcons.h"

#include <QHBoxLayout>
#include <QLabel>

namespace tavrin {

namespace {

constexpr int Height = 20;
// The panels and the hint panel leave two pixels of the bar above them.
constexpr int PanelTop = 2;
constexpr int PanelHeight = 17;

QLabel* SunkenLabel(QWidget* parent, int width) {
    auto* label = new QLabel(parent);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setFixedWidth(width);
    label->setTextFormat(Qt::PlainText);
    label->setContentsMargins(2, 0, 2, 0);
    return label;
}

} // namespace

MainStatusBar::MainStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("StatusBar"));
    setSizeGripEnabled(false);
    setFixedHeight(Height);
    // The panels sit edge to edge from the left, placed by hand: the bar's own layout would
    // add margins and spacing and push the last panel past the window's edge.
    const int widths[3] = {220, 160, 250};
    int left = 0;
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = SunkenLabel(this, widths[i]);
        m_panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        m_panels[i]->setGeometry(left, PanelTop, widths[i], PanelHeight);
        left += widths[i];
    }

    // The hint panel covers the pen panel: a mouse picture and a text box per button.
    m_hintPanel = new QWidget(this);
    m_hintPanel->setObjectName(QStringLiteral("PanelMouseNavi"));
    // Opaque, so the pen panel beneath does not show through the gaps between the boxes.
    m_hintPanel->setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(m_hintPanel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* leftIcon = new QLabel(m_hintPanel);
    leftIcon->setPixmap(MouseButtonPixmap(false));
    m_leftHint = SunkenLabel(m_hintPanel, 105);
    m_leftHint->setObjectName(QStringLiteral("LabelMouseLeft"));
    auto* rightIcon = new QLabel(m_hintPanel);
    rightIcon->setPixmap(MouseButtonPixmap(true));
    m_rightHint = SunkenLabel(m_hintPanel, 105);
    m_rightHint->setObjectName(QStringLiteral("LabelMouseRight"));
    layout->addWidget(leftIcon);
    layout->addWidget(m_leftHint);
    layout->addWidget(rightIcon);
    layout->addWidget(m_rightHint);
    layout->addStretch();
    m_hintPanel->setGeometry(m_panels[2]->x() + 2, PanelTop, 250, PanelHeight);
    m_hintPanel->raise();
}

void MainStatusBar::SetPanelText(int panel, const QString& text) {
    if (panel == 0) {
        m_pageAddress = text;
        ShowAddressPanel();
    } else if (panel > 0 && panel < 3) {
        m_panels[panel]->setText(text);
    }
}

QString MainStatusBar::PanelText(int panel) const {
    if (panel == 0)
        return m_pageAddress;
    return panel > 0 && panel < 3 ? m_panels[panel]->text() : QString();
}

void MainStatusBar::SetMouseAddress(const QString& text) {
    m_mouseAddress = text;
    ShowAddressPanel();
}

void MainStatusBar::ShowAddressPanel() {
    m_panels[0]->setText(m_mouseAddress.isEmpty() ? m_pageAddress : m_mouseAddress);
}

void MainStatusBar::SetHints(const QString& left, const QString& right) {
    m_leftHint->setText(left);
    m_rightHint->setText(right);
}

QString MainStatusBar::LeftHint() const {
    return m_leftHint->text();
}
QString MainStatusBar::RightHint() const {
    return m_rightHint->text();
}

void MainStatusBar::SetHintsVisible(bool visible) {
    m_hintPanel->setVisible(visible);
}

bool MainStatusBar::HintsVisible() const {
    return !m_hintPanel->isHidden();
}

} // namespace tavrin
