#include "gui/app/MainStatusBar.h"

#include "gui/app/ActionIcons.h"

#include <QHBoxLayout>
#include <QLabel>

namespace tavrin {

namespace {

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
    setFixedHeight(20);
    const int widths[3] = {220, 160, 250};
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = SunkenLabel(this, widths[i]);
        m_panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        addWidget(m_panels[i]);
    }

    // The hint panel covers the pen panel: a mouse picture and a text box per button.
    m_hintPanel = new QWidget(m_panels[2]);
    m_hintPanel->setObjectName(QStringLiteral("PanelMouseNavi"));
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
    m_hintPanel->setGeometry(0, 0, 250, 17);
}

void MainStatusBar::SetPanelText(int panel, const QString& text) {
    if (panel >= 0 && panel < 3)
        m_panels[panel]->setText(text);
}

QString MainStatusBar::PanelText(int panel) const {
    return panel >= 0 && panel < 3 ? m_panels[panel]->text() : QString();
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
