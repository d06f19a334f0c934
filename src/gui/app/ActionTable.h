#pragma once

#include <QHash>
#include <QString>
#include <vector>

class QAction;
class QActionGroup;
class QWidget;

namespace tavrin {

// Every command of the main window as a QAction named after its command, with its caption,
// hint, keys, category and tag. The actions belong to the owner widget, so their keys work
// whether or not a menu shows them.
class ActionTable {
public:
    explicit ActionTable(QWidget* owner);
    // Captions and hints again from the current translators (after a language change).
    void Retranslate();

    // The action of that name; aborts on an unknown name, which is a programming error.
    QAction* Get(const QString& name) const;
    QAction* Find(const QString& name) const { return m_byName.value(name, nullptr); }
    const std::vector<QAction*>& All() const { return m_actions; }

    // The numeric tag of an action (step code, palette slot, pen index, format digit...).
    static int Tag(const QAction* action);
    static QString Category(const QAction* action);

    // The caption without its accelerator: "開く(&O)..." -> "開く...", "パレット&0選択" ->
    // "パレット0選択".
    static QString StripAccelerator(const QString& caption);

private:
    std::vector<QAction*> m_actions;
    QHash<QString, QAction*> m_byName;
    QActionGroup* m_penGroup = nullptr;
    QActionGroup* m_paletteModeGroup = nullptr;
};

} // namespace tavrin
