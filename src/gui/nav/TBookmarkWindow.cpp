#include "gui/nav/TBookmarkWindow.h"

#include "core/places/Navigator.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavrin {

TBookmarkWindow::TBookmarkWindow(Navigator& navigator, Confirm confirm, QWidget* parent)
    : QDialog(parent), m_nav(navigator), m_confirm(std::move(confirm)) {
    setObjectName(QStringLiteral("BookmarkWindow"));
    setWindowTitle(tr("ブックマーク"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(360, 300);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListBookmarks"));
    m_list->setEditTriggers(QAbstractItemView::EditKeyPressed);
    m_list->installEventFilter(this);
    auto button = [this](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    m_jump = button("ButtonJump", tr("移動(&G)"));
    m_rename = button("ButtonRename", tr("名前の変更(&R)"));
    m_delete = button("ButtonDelete", tr("削除(&D)"));
    m_up = button("ButtonUp", tr("上へ(&U)"));
    m_down = button("ButtonDown", tr("下へ(&N)"));
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {m_jump, m_rename, m_delete, m_up, m_down})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    connect(m_list, &QListWidget::itemActivated, this, [this] { Jump(); });
    connect(m_list, &QListWidget::itemChanged, this, &TBookmarkWindow::ItemEdited);
    connect(m_list, &QListWidget::currentRowChanged, this, [this] { UpdateButtons(); });
    connect(m_jump, &QPushButton::clicked, this, &TBookmarkWindow::Jump);
    connect(m_rename, &QPushButton::clicked, this, &TBookmarkWindow::Rename);
    connect(m_delete, &QPushButton::clicked, this, &TBookmarkWindow::Delete);
    connect(m_up, &QPushButton::clicked, this, [this] { Move(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { Move(1); });
    Refresh();
}

void TBookmarkWindow::Refresh() {
    const int row = m_list->currentRow();
    m_filling = true;
    m_list->clear();
    for (const Bookmark& mark : m_nav.Bookmarks().items) {
        auto* item = new QListWidgetItem(QString::fromStdString(mark.name), m_list);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        item->setToolTip(
            QString::fromStdString(AddressHex(mark.place.address) + "  " + mark.place.format));
    }
    m_filling = false;
    if (m_list->count() > 0)
        m_list->setCurrentRow(std::clamp(row, 0, m_list->count() - 1));
    UpdateButtons();
}

void TBookmarkWindow::UpdateButtons() {
    const int row = m_list->currentRow();
    const bool any = row >= 0;
    m_jump->setEnabled(any);
    m_rename->setEnabled(any);
    m_delete->setEnabled(any);
    m_up->setEnabled(any && row > 0);
    m_down->setEnabled(any && row + 1 < m_list->count());
}

void TBookmarkWindow::keyPressEvent(QKeyEvent* event) {
    // The list jumps on Enter itself (itemActivated); Enter must not close the window as a
    // dialog's default button would.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(event);
}

// The list's keys, before the list takes the arrows for moving the current row (while a name
// is edited, the keys go to the editor, not here).
bool TBookmarkWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_list || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool ctrl = key->modifiers() & Qt::ControlModifier;
    switch (key->key()) {
    case Qt::Key_Delete:
        Delete();
        return true;
    case Qt::Key_F2:
        Rename();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!ctrl)
            break;
        Move(key->key() == Qt::Key_Up ? -1 : 1);
        return true;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void TBookmarkWindow::Jump() {
    const int row = m_list->currentRow();
    if (row >= 0 && m_nav.JumpToBookmark(static_cast<size_t>(row)))
        emit Jumped();
}

void TBookmarkWindow::Rename() {
    if (QListWidgetItem* item = m_list->currentItem())
        m_list->editItem(item);
}

void TBookmarkWindow::ItemEdited(QListWidgetItem* item) {
    if (m_filling)
        return;
    const int row = m_list->row(item);
    // An empty name is refused: the list shows the old one again.
    if (!m_nav.RenameBookmark(static_cast<size_t>(row), item->text().toStdString()))
        Refresh();
}

void TBookmarkWindow::Delete() {
    const int row = m_list->currentRow();
    const auto& items = m_nav.Bookmarks().items;
    if (row < 0 || static_cast<size_t>(row) >= items.size())
        return;
    // The file is written at once and keeps no copy: the user says yes first.
    const QString name = QString::fromStdString(items[static_cast<size_t>(row)].name);
    if (m_confirm(this, tr("ブックマーク「%1」を削除しますか？").arg(name)))
        m_nav.DeleteBookmark(static_cast<size_t>(row));
}

void TBookmarkWindow::Move(int delta) {
    const int row = m_list->currentRow();
    if (row < 0 || !m_nav.MoveBookmark(static_cast<size_t>(row), delta))
        return;
    m_list->setCurrentRow(std::clamp(row + delta, 0, m_list->count() - 1));
}

} // namespace tavrin
