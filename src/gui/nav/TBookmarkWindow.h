#pragma once

#include <QDialog>

#include <functional>

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace tavrin {

class Navigator;

// The small window of the open ROM's bookmarks: Enter or a double click jumps, F2 or the
// button renames in place, Delete removes once confirmed, the arrows with Ctrl (or the
// buttons) reorder. Every change goes to the Navigator, which writes the file.
class TBookmarkWindow : public QDialog {
    Q_OBJECT
public:
    // confirm asks a yes/no question over the window it is given; true for yes.
    using Confirm = std::function<bool(QWidget*, const QString&)>;
    TBookmarkWindow(Navigator& navigator, Confirm confirm, QWidget* parent = nullptr);

    // Fills the list from the navigator again, keeping the selected row where it can.
    void Refresh();

    QListWidget* List() const { return m_list; }
    QPushButton* ButtonJump() const { return m_jump; }
    QPushButton* ButtonRename() const { return m_rename; }
    QPushButton* ButtonDelete() const { return m_delete; }
    QPushButton* ButtonUp() const { return m_up; }
    QPushButton* ButtonDown() const { return m_down; }

signals:
    // The page moved to a bookmark's place.
    void Jumped();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Jump();
    void Rename();
    void Delete();
    void Move(int delta);
    void ItemEdited(QListWidgetItem* item);
    void UpdateButtons();

    Navigator& m_nav;
    Confirm m_confirm;
    QListWidget* m_list;
    QPushButton* m_jump;
    QPushButton* m_rename;
    QPushButton* m_delete;
    QPushButton* m_up;
    QPushButton* m_down;
    bool m_filling = false;
};

} // namespace tavrin
