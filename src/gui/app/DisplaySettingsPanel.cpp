#include "gui/app/DisplaySettingsPanel.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

#include <algorithm>

namespace tavrin {

namespace {

constexpr int RowHeight = 20;

QCheckBox* MakeCheck(QWidget* parent, const char* name, const char* caption, int x, int y, int w) {
    auto* box =
        new QCheckBox(QCoreApplication::translate("tavrin::DisplaySettingsPanel", caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(x, y, w, 17);
    return box;
}

QComboBox* MakeCombo(QWidget* parent, const char* name, const QStringList& items, int x, int y,
                     int w) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->addItems(items);
    combo->setGeometry(x, y, w, RowHeight);
    combo->setMaxVisibleItems(16);
    combo->setFocusPolicy(Qt::StrongFocus);
    return combo;
}

void MakeLabel(QWidget* parent, const char* text, int x, int y) {
    auto* label =
        new QLabel(QCoreApplication::translate("tavrin::DisplaySettingsPanel", text), parent);
    label->setGeometry(x, y, 90, 13);
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, int x, int y) {
    auto* button = new QPushButton(
        QCoreApplication::translate("tavrin::DisplaySettingsPanel", caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(x, y, 41, RowHeight);
    return button;
}

} // namespace

DisplaySettingsPanel::DisplaySettingsPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("PanelDisplay"));
    setFixedSize(297, 118);

    m_editArea =
        MakeCheck(this, "cbEditArea",
                  QT_TRANSLATE_NOOP("tavrin::DisplaySettingsPanel", "編集中領域"), 0, 0, 100);
    m_gridL =
        MakeCheck(this, "cbGridL", QT_TRANSLATE_NOOP("tavrin::DisplaySettingsPanel", "グリッド左"),
                  104, 0, 94);
    m_gridR =
        MakeCheck(this, "cbGridR", QT_TRANSLATE_NOOP("tavrin::DisplaySettingsPanel", "グリッド右"),
                  200, 0, 97);
    m_showHint = MakeCheck(this, "CheckBoxShowHint", "ShowHint", 0, 18, 100);
    m_halftone = MakeCheck(this, "cbHalftone", "Halftone", 104, 18, 94);

    MakeLabel(this, QT_TRANSLATE_NOOP("tavrin::DisplaySettingsPanel", "画像形式:"), 8, 42);
    m_format = MakeCombo(this, "ComboBoxFormat", {}, 8, 55, 137);
    m_formatInfo =
        MakeButton(this, "ButtonFormatInfo",
                   QT_TRANSLATE_NOOP("tavrin::DisplaySettingsPanel", "情報..."), 144, 55);
    MakeLabel(this, QT_TRANSLATE_NOOP("tavrin::DisplaySettingsPanel", "回転:"), 185, 42);
    m_rotate = MakeCombo(this, "ComboBoxRotate", {"0", "90", "180", "270"}, 185, 55, 56);
    MakeLabel(this, QT_TRANSLATE_NOOP("tavrin::DisplaySettingsPanel", "反転:"), 241, 42);
    m_mirror =
        MakeCombo(this, "ComboBoxMirror", {"None", "Horizontal", "Vertical", "Both"}, 241, 55, 56);

    MakeLabel(this, QT_TRANSLATE_NOOP("tavrin::DisplaySettingsPanel", "表示パターン:"), 8, 78);
    m_pattern = MakeCombo(this, "ComboBoxPattern", {}, 8, 91, 137);
    m_simpleAdfDlg =
        MakeButton(this, "ButtonSimpleAdfDlg",
                   QT_TRANSLATE_NOOP("tavrin::DisplaySettingsPanel", "編集..."), 144, 91);
    MakeLabel(this, QT_TRANSLATE_NOOP("tavrin::DisplaySettingsPanel", "グリッド:"), 185, 78);
    m_grid =
        MakeCombo(this, "ComboBoxGrid", {tr("点"), tr("点線"), tr("破線"), tr("線")}, 185, 91, 56);
    MakeLabel(this, QT_TRANSLATE_NOOP("tavrin::DisplaySettingsPanel", "倍率:"), 241, 78);
    m_zoom = MakeCombo(this, "ComboBoxZoom", {"x1", "x2", "x4", "x8", "x16"}, 241, 91, 56);

    // The drop-down of the narrow lists may be wider than the box itself, wide enough for
    // its longest text ("Horizontal") beside a scroll bar.
    for (QComboBox* combo : {m_rotate, m_mirror, m_grid, m_zoom}) {
        QAbstractItemView* list = combo->view();
        const int scrollBar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        list->setMinimumWidth(
            std::max(90, list->sizeHintForColumn(0) + scrollBar + 2 * list->frameWidth() + 8));
    }
    // A choice made with the mouse, and a list closed with Esc, give the keys back to the CHR
    // panel; a list chosen with the keyboard keeps them.
    for (QComboBox* combo : Combos()) {
        combo->view()->viewport()->installEventFilter(this);
        combo->view()->installEventFilter(this);
        combo->installEventFilter(this);
        connect(combo, &QComboBox::activated, this, [this, combo] {
            if (m_clicked == combo) {
                m_clicked = nullptr;
                emit KeysGivenBack();
            }
        });
    }
}

bool DisplaySettingsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        for (QComboBox* combo : Combos())
            if (watched == combo || watched == combo->view()) {
                // After the list has closed, so that the focus it restores is moved on.
                QTimer::singleShot(0, this, [this] { emit KeysGivenBack(); });
                break;
            }
    }
    if (event->type() == QEvent::MouseButtonRelease)
        for (QComboBox* combo : Combos())
            if (combo->view()->viewport() == watched)
                m_clicked = combo;
    return QFrame::eventFilter(watched, event);
}

std::vector<QComboBox*> DisplaySettingsPanel::Combos() const {
    return {m_format, m_rotate, m_mirror, m_pattern, m_grid, m_zoom};
}

} // namespace tavrin
