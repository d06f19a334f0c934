#pragma once

#include "core/editor/Editor.h"
#include "gui/app/ActionTable.h"
#include "gui/app/MainWindow.h"
#include "support/RandomBytes.h"

#include <QAction>
#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace tavrin {

inline void PrintTo(const EditArea& a, std::ostream* os) {
    *os << "columns " << a.firstColumn << "-" << a.lastColumn << ", rows " << a.firstRow << "-"
        << a.lastRow;
}

} // namespace tavrin

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace tavrin::test {

// A main window on a private folder: the "executable" lives there, so the settings file and
// the standard palette files are the test's own.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    void TearDown() override { CloseWindow(); }

    QString Path(const QString& name) const { return m_dir.filePath(name); }
    std::string StdPath(const QString& name) const { return Path(name).toStdString(); }
    std::string ExePath() const { return StdPath(QStringLiteral("tavrin")); }

    QString WriteFile(const QString& name, const QByteArray& bytes) {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return file.fileName();
    }
    QByteArray ReadFile(const QString& name) const {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static QByteArray RandomBytes(int size, unsigned seed) {
        const std::vector<uint8_t> bytes = test::RandomBytes(static_cast<size_t>(size), seed);
        return QByteArray(reinterpret_cast<const char*>(bytes.data()), size);
    }

    // An iNES image: header, program banks, character banks, each bank filled with its own
    // byte so that positions are recognisable.
    static QByteArray INesImage(int programBanks, int characterBanks, bool trainer) {
        QByteArray bytes(16, '\0');
        bytes[0] = 'N';
        bytes[1] = 'E';
        bytes[2] = 'S';
        bytes[3] = '\x1A';
        bytes[4] = static_cast<char>(programBanks);
        bytes[5] = static_cast<char>(characterBanks);
        bytes[6] = static_cast<char>(trainer ? 4 : 0);
        if (trainer)
            bytes.append(QByteArray(512, '\x7F'));
        bytes.append(QByteArray(programBanks * 16384, '\x11'));
        bytes.append(QByteArray(characterBanks * 8192, '\x22'));
        return bytes;
    }

    MainWindow& Open(const std::vector<std::string>& arguments = {}) {
        CloseWindow();
        m_window = std::make_unique<MainWindow>(AppPaths::BesideExecutable(ExePath()), arguments);
        m_window->SetMessageSink([this](QWidget*, const QString& text) { m_messages << text; });
        m_window->SetFileChooser([this](QWidget*, const FileDialogRequest& request) {
            m_requests.push_back(request);
            return m_nextFile;
        });
        // Questions are answered with m_nextAnswer (by default "No": discard, original size).
        m_window->SetQuestionSink(
            [this](QWidget*, const QString& text, QMessageBox::StandardButtons) {
                m_questions << text;
                return m_nextAnswer;
            });
        m_window->show();
        m_window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        // Qt drops a move to where the pointer already is; start every test from one corner.
        QTest::mouseMove(m_window->windowHandle(), QPoint(1, 1));
        return *m_window;
    }

    // Destroying the window writes the settings file.
    void CloseWindow() { m_window.reset(); }

    MainWindow& W() { return *m_window; }
    Editor& E() { return m_window->GetEditor(); }
    QAction* Action(const char* name) { return m_window->Actions().Get(QString::fromLatin1(name)); }

    // The widget of the main window that has (or last had) the focus.
    QWidget* FocusTarget() {
        QWidget* focus = m_window->focusWidget();
        return focus && focus->isVisible() ? focus : m_window.get();
    }
    // Keys reach the window's shortcuts only while it is the active window (a closed dialog
    // leaves no window active on the offscreen platform).
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        // A dialog that just closed may still have its deactivation queued: settle, and
        // activate until the window stays active.
        for (int attempt = 0; attempt < 3; ++attempt) {
            QCoreApplication::processEvents();
            if (m_window->isActiveWindow())
                break;
            m_window->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        }
        QTest::keyClick(FocusTarget(), key, modifiers);
    }

    // Runs action once the (modal) widget shows, from inside its event loop.
    static void WhenShown(QWidget* widget, std::function<void()> action) {
        auto* timer = new QTimer(widget);
        QObject::connect(timer, &QTimer::timeout, widget, [timer, widget, action] {
            if (!widget->isVisible())
                return;
            timer->deleteLater();
            timer->stop();
            action();
        });
        timer->start(5);
    }

    // Mouse input through the window system, so grabs and the implicit grab of a pressed
    // button take part as they do for a user.
    QPoint InWindow(QWidget* widget, QPoint pos) { return widget->mapTo(m_window.get(), pos); }
    void Press(QWidget* widget, Qt::MouseButton button, QPoint pos) {
        QTest::mousePress(m_window->windowHandle(), button, {}, InWindow(widget, pos));
    }
    void Move(QWidget* widget, QPoint pos) {
        QTest::mouseMove(m_window->windowHandle(), InWindow(widget, pos));
    }
    void Release(QWidget* widget, Qt::MouseButton button, QPoint pos) {
        QTest::mouseRelease(m_window->windowHandle(), button, {}, InWindow(widget, pos));
    }
    // One wheel notch (delta +120 turns away from the user) over the widget.
    void Wheel(QWidget* widget, QPoint pos, int delta = 120) {
        QWheelEvent event(pos, widget->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget, &event);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_window;
    QStringList m_messages;
    QStringList m_questions;
    QMessageBox::StandardButton m_nextAnswer = QMessageBox::No;
    std::vector<FileDialogRequest> m_requests;
    QString m_nextFile;
};

} // namespace tavrin::test
