#pragma once

#include "core/palette/PatternListModel.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace tavrin {

class CAdfPattern;

// "表示パターン": edits the pattern table in place, through a list of the patterns, a 16 x 16
// grid of tile numbers with a one-cell editor, a name box and a character-pattern generator.
// The rules are the model's; the dialog wires the controls to it. There is no cancel:
// however it is closed, it ends with QDialog::Accepted.
class TPatternDialog : public QDialog {
    Q_OBJECT
public:
    explicit TPatternDialog(QWidget* parent = nullptr);

    // The table to edit; set it before showing the dialog.
    void SetPatterns(CAdfPattern& patterns);
    // Places the dialog with its left edge at the rectangle's left and its bottom on the
    // rectangle's top (screen coordinates), kept on the screen.
    void PlaceAbove(const QRect& screenRect);
    // Where the full-table message goes; by default a plain message box.
    void SetMessageSink(std::function<void(QWidget*, const QString&)> sink) {
        m_messageSink = std::move(sink);
    }

    void reject() override;

    const PatternListModel& Model() const { return m_model; }
    QListWidget* ListBox() const { return m_list; }
    QTableWidget* Grid() const { return m_grid; }
    QComboBox* ComboBoxEditor() const { return m_comboEditor; }
    QLineEdit* EditAdfName() const { return m_editName; }
    QPushButton* ButtonUpper() const { return m_buttonUpper; }
    QPushButton* ButtonLower() const { return m_buttonLower; }
    QPushButton* ButtonDelete() const { return m_buttonDelete; }
    QPushButton* ButtonUpdate() const { return m_buttonUpdate; }
    QPushButton* ButtonClose() const { return m_buttonClose; }
    QSpinBox* EditSizeX() const { return m_sizeX; }
    QSpinBox* EditSizeY() const { return m_sizeY; }
    QComboBox* ComboBoxVector() const { return m_vector; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    // The list from the table, with the model's selection.
    void FillList();
    // The grid and the name box from the working entry.
    void ShowWorking();
    void ListBoxClick(int row);
    void GridStartEdit(int column, int row);
    // Ends the cell edit: stores the editor's choice or drops it, then hides the editor.
    void EndCellEdit(bool store);
    void NameEdited(const QString& text);
    void Generated();
    void ButtonUpdateClick();
    void ButtonUpperClick();
    void ButtonLowerClick();
    void ButtonDeleteClick();

    PatternListModel m_model;
    std::function<void(QWidget*, const QString&)> m_messageSink;
    bool m_filling = false;

    QLabel* m_labelList;
    QListWidget* m_list;
    QLabel* m_labelPattern;
    QTableWidget* m_grid;
    QComboBox* m_comboEditor;
    QLabel* m_labelName;
    QLineEdit* m_editName;
    QPushButton* m_buttonUpper;
    QPushButton* m_buttonLower;
    QPushButton* m_buttonDelete;
    QPushButton* m_buttonUpdate;
    QPushButton* m_buttonClose;
    QGroupBox* m_group;
    QSpinBox* m_sizeX;
    QSpinBox* m_sizeY;
    QComboBox* m_vector;
};

} // namespace tavrin
