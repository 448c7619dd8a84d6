#pragma once

// What every widget test shares: the offscreen platform, a settings directory
// of its own (XDG_CONFIG_HOME points into a temporary folder), message boxes
// that are recorded and answered from a script instead of shown, and a check
// that fails the test that leaves a box unlooked-at or a modal window open.
//
//   void MyTest::someCase() {
//       TestEnvironment env;          // fresh settings dir, scripted boxes
//       ...
//       QCOMPARE(MessageBox::takeShown().size(), 1); // every box is looked at
//   }                                 // a box not taken, or a modal left, fails here

#include "app/portmessages.h"
#include "session/portlink.h"
#include "session/portowner.h"
#include "ui/messagebox.h"
#include "ui/programstyle.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

#define QUILLARD_TEST_MAIN(TestClass)                                                              \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                   \
        QApplication app(argc, argv);                                                              \
        QApplication::setQuitOnLastWindowClosed(false);                                            \
        installProgramStyle();                                                                     \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

class TestEnvironment {
public:
    TestEnvironment();
    // Fails the running test when a scripted box was shown that it did not
    // take, or when a modal window is still open (and closes it).
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    // <temporary folder>/quillard: where qd.cfg, the cues and comN links live.
    QString settingsDir() const;
    void writeSettings(const QByteArray& bytes) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldConfigHome;
};

// The boxes shown once the handlers that are running have finished (a
// window's problems are shown after the handler that met them).
QList<MessageBox::Shown> boxesShownAfterHandlers();

// Runs action on the next modal window that opens (a window shown with
// exec() blocks the test until it is closed, so the action is queued first).
// Fails the test when no modal window opens within the time.
void onNextModal(std::function<void(QWidget* modal)> action, int timeoutMs = 5000);

// The words the window last gave a screen reader (its "Announcement"
// notification's name), or empty.
QString announced(const QWidget& window);
inline QString announced(const QWidget* window)
{
    return announced(*window);
}

// The port owner of a main window that is not there, for tests that open a
// radio window on its own: the window borrows the port from it.
class SparePort {
public:
    PortLease lend() { return m_owner.lend(); }

private:
    PortLink m_mainLink;
    PortOwner m_owner{m_mainLink, nullptr};
    PortMessages m_messages{m_owner};
};
