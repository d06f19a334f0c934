#include "gui/palette/TPatternDialog.h"

#include "core/palette/CAdfPattern.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTableWidget>
#include <algorithm>

namespace tavrin {

namespace {

constexpr int ClientWidth = 602;
constexpr int ClientHeight = 328;
constexpr int CellSize = 16;
constexpr int ButtonLeft = 444;
constexpr int ButtonWidth = 150;
constexpr int ButtonHeight = 25;
// The cell editor is wider than a cell, so that its text and arrow fit.
constexpr int EditorWidth = 48;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// The grid of tile numbers. The usual ways of starting to edit a cell (a double click, a
// click on the current cell, F2, Enter) open the dialog's one cell editor instead of an item
// editor of the grid's own.
class PatternGrid : public QTableWidget {
public:
    explicit PatternGrid(QWidget* parent) : QTableWidget(16, 16, parent) {}

    std::function<void(int column, int row)> onEdit;

protected:
    using QTableWidget::edit;

    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent*) override {
        if (!index.isValid() || (trigger != AllEditTriggers && !(editTriggers() & trigger)))
            return false;
        if (onEdit)
            onEdit(index.column(), index.row());
        return true;
    }

    void keyPressEvent(QKeyEvent* event) override {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            currentIndex().isValid()) {
            edit(currentIndex(), EditKeyPressed, event);
            event->accept();
            return;
        }
        QTableWidget::keyPressEvent(event);
    }
};

QPushButton* MakeButton(const QString& name, const char* caption, QWidget* parent) {
    auto* button =
        new QPushButton(QCoreApplication::translate("tavrin::TPatternDialog", caption), parent);
    button->setObjectName(name);
    // Enter belongs to the grid and the cell editor, never to a button.
    button->setAutoDefault(false);
    return button;
}

QLabel* MakeLabel(const char* caption, QWidget* parent) {
    return new QLabel(QCoreApplication::translate("tavrin::TPatternDialog", caption), parent);
}

QSpinBox* MakeSizeBox(const QString& name, int value, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(PatternListModel::MinSize, PatternListModel::MaxSize);
    box->setWrapping(true);
    box->setValue(value);
    return box;
}

} // namespace

TPatternDialog::TPatternDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PatternDialog"));
    setWindowTitle(tr("表示パターン"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(ClientWidth, ClientHeight);
    BuildControls();
    ShowWorking();
}

void TPatternDialog::BuildControls() {
    m_labelList =
        MakeLabel(QT_TRANSLATE_NOOP("tavrin::TPatternDialog", "表示パターンリスト:"), this);
    m_labelList->setGeometry(8, 6, 160, 16);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListBox1"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setGeometry(8, 24, 160, ClientHeight - 32);
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ListBoxClick(m_list->row(item)); });
    // Selection, not the current row: the list makes its first row current when it merely
    // takes the focus, which is no click.
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> selected = m_list->selectedItems();
        if (!selected.isEmpty())
            ListBoxClick(m_list->row(selected.first()));
    });

    m_labelPattern = MakeLabel(QT_TRANSLATE_NOOP("tavrin::TPatternDialog", "パターン:"), this);
    m_labelPattern->setGeometry(176, 6, 260, 16);
    auto* grid = new PatternGrid(this);
    m_grid = grid;
    m_grid->setObjectName(QStringLiteral("StringGridPattern"));
    for (QHeaderView* header : {m_grid->horizontalHeader(), m_grid->verticalHeader()}) {
        header->hide();
        header->setMinimumSectionSize(1);
        header->setDefaultSectionSize(CellSize);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                            QAbstractItemView::EditKeyPressed);
    QFont small = m_grid->font();
    small.setPixelSize(9);
    m_grid->setFont(small);
    // Two digits fill a 16-pixel cell; eliding would leave it blank.
    m_grid->setTextElideMode(Qt::ElideNone);
    m_grid->setWordWrap(false);
    for (int r = 0; r < 16; ++r) {
        for (int c = 0; c < 16; ++c) {
            auto* item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setTextAlignment(Qt::AlignCenter);
            m_grid->setItem(r, c, item);
        }
    }
    const int gridSide = 16 * CellSize + 2 * m_grid->frameWidth();
    m_grid->setGeometry(176, 24, gridSide, gridSide);
    grid->onEdit = [this](int column, int row) { GridStartEdit(column, row); };

    m_comboEditor = new QComboBox(m_grid->viewport());
    m_comboEditor->setObjectName(QStringLiteral("ComboBoxEditor"));
    m_comboEditor->setMaxVisibleItems(16);
    m_comboEditor->setFont(small);
    for (int n = 0; n < 256; ++n)
        m_comboEditor->addItem(QStringLiteral("%1").arg(n, 2, 16, QLatin1Char('0')).toUpper());
    m_comboEditor->hide();
    m_comboEditor->installEventFilter(this);

    const int nameTop = 24 + gridSide + 8;
    m_labelName = MakeLabel(QT_TRANSLATE_NOOP("tavrin::TPatternDialog", "名称:"), this);
    m_labelName->setGeometry(176, nameTop + 3, 36, 16);
    m_editName = new QLineEdit(this);
    m_editName->setObjectName(QStringLiteral("EditAdfName"));
    m_editName->setGeometry(212, nameTop, 176 + gridSide - 212, 22);
    connect(m_editName, &QLineEdit::textEdited, this, &TPatternDialog::NameEdited);

    m_buttonUpper = MakeButton(QStringLiteral("ButtonUpper"),
                               QT_TRANSLATE_NOOP("tavrin::TPatternDialog", "上へ移動(&P)"), this);
    m_buttonLower = MakeButton(QStringLiteral("ButtonLower"),
                               QT_TRANSLATE_NOOP("tavrin::TPatternDialog", "下へ移動(&L)"), this);
    m_buttonDelete = MakeButton(QStringLiteral("ButtonDelete"),
                                QT_TRANSLATE_NOOP("tavrin::TPatternDialog", "削除(&D)"), this);
    m_buttonUpdate =
        MakeButton(QStringLiteral("ButtonUpdate"),
                   QT_TRANSLATE_NOOP("tavrin::TPatternDialog", "追加・更新(&U)"), this);
    int y = 24;
    for (QPushButton* button : {m_buttonUpper, m_buttonLower, m_buttonDelete, m_buttonUpdate}) {
        button->setGeometry(ButtonLeft, y, ButtonWidth, ButtonHeight);
        y += ButtonHeight + 4;
    }
    connect(m_buttonUpper, &QPushButton::clicked, this, &TPatternDialog::ButtonUpperClick);
    connect(m_buttonLower, &QPushButton::clicked, this, &TPatternDialog::ButtonLowerClick);
    connect(m_buttonDelete, &QPushButton::clicked, this, &TPatternDialog::ButtonDeleteClick);
    connect(m_buttonUpdate, &QPushButton::clicked, this, &TPatternDialog::ButtonUpdateClick);

    m_group = new QGroupBox(tr("キャラクターパターン作成"), this);
    m_group->setGeometry(ButtonLeft, y + 8, ButtonWidth, 112);
    const char* captions[] = {QT_TRANSLATE_NOOP("tavrin::TPatternDialog", "サイズX:"),
                              QT_TRANSLATE_NOOP("tavrin::TPatternDialog", "サイズY:"),
                              QT_TRANSLATE_NOOP("tavrin::TPatternDialog", "方向:")};
    for (int k = 0; k < 3; ++k)
        MakeLabel(captions[k], m_group)->setGeometry(8, 27 + 28 * k, 56, 16);
    m_sizeX = MakeSizeBox(QStringLiteral("EditSizeX"), m_model.SizeX(), m_group);
    m_sizeY = MakeSizeBox(QStringLiteral("EditSizeY"), m_model.SizeY(), m_group);
    m_vector = new QComboBox(m_group);
    m_vector->setObjectName(QStringLiteral("ComboBoxVector"));
    m_vector->addItems({tr("横"), tr("縦")});
    m_vector->setCurrentIndex(m_model.Vertical() ? 1 : 0);
    m_sizeX->setGeometry(64, 24, 64, 22);
    m_sizeY->setGeometry(64, 52, 64, 22);
    m_vector->setGeometry(64, 80, 64, 22);
    connect(m_sizeX, &QSpinBox::valueChanged, this, [this](int size) {
        m_model.SetSizeX(size);
        Generated();
    });
    connect(m_sizeY, &QSpinBox::valueChanged, this, [this](int size) {
        m_model.SetSizeY(size);
        Generated();
    });
    // Activated, not changed: choosing the direction already shown generates too.
    connect(m_vector, &QComboBox::activated, this, [this](int index) {
        m_model.SetVertical(index == 1);
        Generated();
    });

    m_buttonClose = MakeButton(QStringLiteral("Button1"),
                               QT_TRANSLATE_NOOP("tavrin::TPatternDialog", "閉じる(&C)"), this);
    m_buttonClose->setGeometry(ButtonLeft, nameTop - 2, ButtonWidth, ButtonHeight);
    connect(m_buttonClose, &QPushButton::clicked, this, &QDialog::accept);
}

void TPatternDialog::SetPatterns(CAdfPattern& patterns) {
    m_model.SetPatterns(patterns);
}

void TPatternDialog::PlaceAbove(const QRect& screenRect) {
    const QRect frame = frameGeometry();
    int x = screenRect.left();
    int y = screenRect.top() - frame.height();
    const QScreen* screen = QGuiApplication::screenAt(screenRect.topLeft());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        x = std::max(area.left(), std::min(x, area.right() + 1 - frame.width()));
        y = std::max(area.top(), std::min(y, area.bottom() + 1 - frame.height()));
    }
    move(x, y);
    // Window systems differ on whether a move places the frame or the client area.
    const QPoint off = QPoint(x, y) - frameGeometry().topLeft();
    if (!off.isNull())
        move(pos() + off);
}

void TPatternDialog::reject() {
    // No cancel: what was edited is already in the table.
    accept();
}

void TPatternDialog::showEvent(QShowEvent* event) {
    m_model.Show();
    m_comboEditor->hide();
    FillList();
    ShowWorking();
    QDialog::showEvent(event);
}

void TPatternDialog::FillList() {
    m_filling = true;
    m_list->clear();
    for (const std::string& name : m_model.ListItems())
        m_list->addItem(Q(name));
    if (m_model.Selected() >= 0) {
        m_list->setCurrentRow(m_model.Selected());
    } else {
        m_list->setCurrentRow(-1);
        m_list->clearSelection();
    }
    m_filling = false;
}

void TPatternDialog::ShowWorking() {
    for (int r = 0; r < 16; ++r) {
        for (int c = 0; c < 16; ++c)
            m_grid->item(r, c)->setText(Q(m_model.CellText(c, r)));
    }
    m_editName->setText(Q(m_model.NameText()));
}

void TPatternDialog::ListBoxClick(int row) {
    if (m_filling || row < 0)
        return;
    m_model.Select(row);
    ShowWorking();
}

void TPatternDialog::GridStartEdit(int column, int row) {
    const int value = m_model.BeginCellEdit(column, row);
    if (value < 0)
        return;
    const QRect cell = m_grid->visualRect(m_grid->model()->index(row, column));
    const QWidget* viewport = m_grid->viewport();
    const int width = std::max(EditorWidth, cell.width());
    const int height = std::max(cell.height(), m_comboEditor->sizeHint().height());
    const int x = std::max(0, std::min(cell.left(), viewport->width() - width));
    const int y = std::max(0, std::min(cell.top(), viewport->height() - height));
    m_comboEditor->setGeometry(x, y, width, height);
    m_comboEditor->setCurrentIndex(value);
    m_comboEditor->show();
    m_comboEditor->raise();
    m_comboEditor->setFocus(Qt::OtherFocusReason);
}

void TPatternDialog::EndCellEdit(bool store) {
    const bool hadFocus = m_comboEditor->hasFocus();
    if (store)
        m_model.CommitCellEdit(m_comboEditor->currentIndex());
    else
        m_model.CancelCellEdit();
    // After Enter or Esc the grid takes the keys again; a click elsewhere keeps its focus. The
    // grid takes them before the editor is hidden: hiding the focused editor would pass the
    // focus on as Tab does, which moves the grid's current cell to the next one.
    if (hadFocus)
        m_grid->setFocus(Qt::OtherFocusReason);
    m_comboEditor->hide();
    ShowWorking();
}

bool TPatternDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_comboEditor)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            if (m_model.Editing())
                EndCellEdit(key != Qt::Key_Escape);
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {

        // Its own drop-down list and another window taking the focus are not leaving it.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (m_model.Editing() && reason != Qt::PopupFocusReason &&
            reason != Qt::ActiveWindowFocusReason)
            EndCellEdit(true);
    }
    return QDialog::eventFilter(watched, event);
}

void TPatternDialog::NameEdited(const QString& text) {
    const std::string before = m_model.NameText();
    const QString kept = Q(m_model.SetNameText(text.toStdString()));
    if (kept == text)
        return;
    const int cursor = m_editName->cursorPosition();
    if (cursor < text.size()) {
        // Typed into the middle of a full box: the box refuses, as it does at the end.
        m_model.SetNameText(before);
        m_editName->setText(Q(before));
        m_editName->setCursorPosition(
            std::clamp(cursor - static_cast<int>(text.size() - Q(before).size()), 0,
                       static_cast<int>(Q(before).size())));
        return;
    }
    m_editName->setText(kept);
}

void TPatternDialog::Generated() {
    m_filling = true;
    m_list->setCurrentRow(-1);
    m_list->clearSelection();
    m_filling = false;
    ShowWorking();
}

void TPatternDialog::ButtonUpdateClick() {
    if (!m_model.AddOrUpdate()) {
        const QString text =
            QCoreApplication::translate("Patterns", PatternListModel::FullTableMessage);
        if (m_messageSink) {
            m_messageSink(this, text);
        } else {
            QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), text,
                            QMessageBox::Ok, this);
            box.exec();
        }
        return;
    }
    FillList();
    ShowWorking();
}

void TPatternDialog::ButtonUpperClick() {
    m_model.MoveUp();
    FillList();
}

void TPatternDialog::ButtonLowerClick() {
    m_model.MoveDown();
    FillList();
}

void TPatternDialog::ButtonDeleteClick() {
    m_model.Delete();
    FillList();
    ShowWorking();
}

} // namespace tavrin
