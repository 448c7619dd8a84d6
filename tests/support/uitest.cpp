#include "uitest.h"

#include <QAccessible>

#include "session/cues.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <QWidget>

TestEnvironment::TestEnvironment() : m_oldConfigHome(qgetenv("XDG_CONFIG_HOME"))
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path()));
    QDir().mkpath(settingsDir());
    MessageBox::setScripted(true);
}

TestEnvironment::~TestEnvironment()
{
    QCoreApplication::processEvents();
    QStringList unexpected;
    for (const MessageBox::Shown& box : MessageBox::takeShown())
        unexpected << QStringLiteral("box \"%1\"").arg(box.text);
    while (QWidget* modal = QApplication::activeModalWidget()) {
        unexpected << QStringLiteral("modal window %1 \"%2\" still open")
                          .arg(modal->objectName(), modal->windowTitle());
        modal->close();
        QCoreApplication::processEvents();
    }
    MessageBox::setScripted(false);
    if (m_oldConfigHome.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", m_oldConfigHome);
    // A test that failed already may well leave a box behind: one failure is enough.
    if (!unexpected.isEmpty() && !QTest::currentTestFailed())
        QTest::qFail(qPrintable(QStringLiteral("the test left behind: ") +
                                unexpected.join(QStringLiteral("; "))),
                     __FILE__, __LINE__);
}

QString TestEnvironment::settingsDir() const
{
    return GetWinPath();
}

void TestEnvironment::writeSettings(const QByteArray& bytes) const
{
    QFile file(settingsDir() + QStringLiteral("/qd.cfg"));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write test settings");
}

QList<MessageBox::Shown> boxesShownAfterHandlers()
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    return MessageBox::takeShown();
}

void onNextModal(std::function<void(QWidget*)> action, int timeoutMs)
{
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && clock->elapsed() < timeoutMs)
            return;
        timer->stop();
        timer->deleteLater();
        delete clock;
        if (modal)
            action(modal);
        else
            QTest::qFail("no modal window opened", __FILE__, __LINE__);
    });
    timer->start();
}

QString announced(const QWidget& window)
{
    auto* board = window.findChild<QWidget*>(QStringLiteral("Announcement"));
    QAccessibleInterface* heard = board ? QAccessible::queryAccessibleInterface(board) : nullptr;
    return heard ? heard->text(QAccessible::Name) : QString();
}
