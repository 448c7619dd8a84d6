#pragma once

// What every widget test shares: the offscreen platform, a settings directory
// of its own (XDG_CONFIG_HOME points into a temporary folder), message boxes
// that are recorded and answered from a script instead of shown, and a check
// that a test left no modal window open.
//
//   void MyTest::someCase() {
//       TestEnvironment env;          // fresh settings dir, scripted boxes
//       ...
//       QVERIFY(env.noModalLeft());
//   }

#include "app/messagebox.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

#define QUILLARD_TEST_MAIN(TestClass)                                                          \
    int main(int argc, char** argv)                                                            \
    {                                                                                          \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                               \
        QApplication app(argc, argv);                                                          \
        QApplication::setQuitOnLastWindowClosed(false);                                        \
        TestClass test;                                                                        \
        return QTest::qExec(&test, argc, argv);                                                \
    }

class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    // <temporary folder>/quillard: where qd.cfg, the cues and comN links live.
    QString settingsDir() const;
    void writeSettings(const QByteArray& bytes) const;

    // True when no modal window is open; closes any that is, so one failing
    // test does not block the next.
    bool noModalLeft() const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldConfigHome;
};

// Runs action on the next modal window that opens (a window shown with
// exec() blocks the test until it is closed, so the action is queued first).
void onNextModal(std::function<void(QWidget* modal)> action, int timeoutMs = 5000);
