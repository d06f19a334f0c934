#include "gui/nav/NavigateController.h"

#include "core/editor/Editor.h"
#include "core/nav/RecentFiles.h"
#include "core/places/Navigator.h"
#include "gui/app/ActionTable.h"
#include "gui/app/MainMenus.h"
#include "gui/app/MainStatusBar.h"
#include "gui/app/MainWindow.h"
#include "gui/nav/TBookmarkWindow.h"
#include "gui/nav/TFindBytesDialog.h"
#include "gui/views/ImagePanel.h"

#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMenu>
#include <utility>

namespace tavrin {

namespace {

// Long paths are shortened in the middle to this many characters in the menu.
constexpr size_t RecentMenuChars = 60;

void ShowAndRaise(QWidget* widget) {
    widget->show();
    widget->raise();
    widget->activateWindow();
}

} // namespace

NavigateController* Navigate(const QObject* window) {
    return window->findChild<NavigateController*>(QStringLiteral("NavigateController"),
                                                  Qt::FindDirectChildrenOnly);
}

NavigateController::NavigateController(MainWindow& window, Editor& editor, PanelView& view,
                                       MessageSink message)
    : QObject(&window), m_window(window), m_view(view) {
    setObjectName(QStringLiteral("NavigateController"));
    m_navigator = std::make_unique<Navigator>(editor, view);
    m_bookmarkWindow = new TBookmarkWindow(
        *m_navigator,
        [&window](QWidget* owner, const QString& text) {
            return window.Ask(text, QMessageBox::Yes | QMessageBox::No, owner) == QMessageBox::Yes;
        },
        &window);
    m_findDialog = new TFindBytesDialog(*m_navigator, &window);
    connect(m_findDialog, &TFindBytesDialog::Message, this, std::move(message));
    // A bookmark may name another format, pattern, rotation or mirror.
    connect(m_bookmarkWindow, &TBookmarkWindow::Jumped, &window, &MainWindow::SyncDisplayControls);
    // The list follows the file; refreshed after the signal that changed it has returned.
    m_navigator->SetBookmarksChanged([this] {
        QMetaObject::invokeMethod(m_bookmarkWindow, &TBookmarkWindow::Refresh,
                                  Qt::QueuedConnection);
    });
    // A page moved under a still mouse shows other tiles there.
    m_navigator->SetPageChanged([this] { ShowMouseAddress(); });

    const ActionTable& a = window.Actions();
    auto on = [this, &a](const char* name, auto handler) {
        connect(a.Get(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    };
    on("ActAddrFindPrev", [this] { m_navigator->FindPreviousImage(); });
    on("ActAddrFindBytes", [this] { ShowAndRaise(m_findDialog); });
    on("ActAddrBookmarkAdd", [this] { AddBookmark(); });
    on("ActAddrBookmarks", [this] {
        m_bookmarkWindow->Refresh();
        ShowAndRaise(m_bookmarkWindow);
    });
    on("ActAddrCopyAddress", [this] { CopyAddress(); });

    // The recent files are listed afresh each time the File menu opens.
    connect(window.Menus().Menu(0), &QMenu::aboutToShow, this, &NavigateController::FillRecentMenu);

    connect(window.ChrView(), &ImagePanel::Moved, this, [this](QPoint pos) {
        m_mouse = pos;
        ShowMouseAddress();
    });
    window.ChrView()->installEventFilter(this);
}

NavigateController::~NavigateController() {
    // The windows work on the navigator: they go first.
    delete m_bookmarkWindow;
    delete m_findDialog;
}

bool NavigateController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window.ChrView() && event->type() == QEvent::Leave) {
        m_mouse.reset();
        ShowMouseAddress();
    }
    return QObject::eventFilter(watched, event);
}

void NavigateController::ShowMouseAddress() {
    const std::string text =
        m_mouse ? m_navigator->TileUnderMouseText(m_mouse->x(), m_mouse->y()) : std::string();
    m_window.Status().SetMouseAddress(QString::fromStdString(text));
}

void NavigateController::RememberPlace() {
    m_navigator->RememberPlace();
}

void NavigateController::OpenRecent(size_t index) {
    if (m_navigator->OpenRecent(index))
        m_window.SyncDisplayControls();
}

void NavigateController::FillRecentMenu() {
    QMenu* file = m_window.Menus().Menu(0);
    for (QAction* action : std::exchange(m_recentActions, {})) {
        file->removeAction(action);
        action->deleteLater();
    }
    QAction* before = m_window.Actions().Get(QStringLiteral("ActFileExit"));
    auto add = [&](QAction* action) {
        file->insertAction(before, action);
        m_recentActions << action;
    };
    const std::vector<RecentFile>& items = m_navigator->Recent().Items();
    for (size_t i = 0; i < items.size(); ++i) {
        const QString path =
            QString::fromStdString(ShortenPathMiddle(items[i].path, RecentMenuChars));
        const char key = RecentAccelerator(i);
        // An ampersand of the path is doubled so that it is not taken as an accelerator.
        QString text = QString(path).replace(QLatin1Char('&'), QStringLiteral("&&"));
        if (key != '\0')
            text = QStringLiteral("&%1 %2").arg(QLatin1Char(key)).arg(text);
        auto* action = new QAction(text, file);
        action->setObjectName(QStringLiteral("ActFileRecent%1").arg(i));
        action->setToolTip(QString::fromStdString(items[i].path));
        connect(action, &QAction::triggered, this, [this, i] { OpenRecent(i); });
        add(action);
    }
    if (!items.empty()) {
        auto* clear = new QAction(tr("最近使ったファイルの一覧を消去"), file);
        clear->setObjectName(QStringLiteral("ActFileRecentClear"));
        connect(clear, &QAction::triggered, this, [this] { m_navigator->ClearRecent(); });
        add(clear);
        m_recentActions << file->insertSeparator(before);
    }
}

void NavigateController::AddBookmark() {
    const QString preset = QString::fromStdString(m_navigator->DefaultBookmarkName());
    const QString label = tr("ブックマークの名前:");
    std::optional<QString> name;
    if (m_textAsker) {
        name = m_textAsker(&m_window, label, preset);
    } else {
        bool ok = false;
        const QString typed = QInputDialog::getText(&m_window, tr("ブックマークを追加"), label,
                                                    QLineEdit::Normal, preset, &ok);
        if (ok)
            name = typed;
    }
    if (name)
        m_navigator->AddBookmark(name->toStdString());
}

void NavigateController::CopyAddress() {
    const std::string text = m_navigator->SelectionAddressText();
    if (text.empty())
        m_view.Beep();
    else
        QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

} // namespace tavrin
