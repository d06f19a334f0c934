#include "gui/app/MainWindow.h"

#include "gui/app/ActionTable.h"
#include "gui/set/TFormSet.h"

#include <QAction>

namespace tavrin {

void MainWindow::ConnectSetWindow() {
    // Created once, hidden; it keeps its set data until the program ends.
    m_setWindow = std::make_unique<TFormSet>(m_editor->Space(), this);
    connect(m_actions->Get(QStringLiteral("ActToolFormSet")), &QAction::triggered, this, [this] {
        m_setWindow->show();
        m_setWindow->raise();
        m_setWindow->activateWindow();
    });
}

} // namespace tavrin
