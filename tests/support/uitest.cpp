#include "uitest.h"

#include "app/cues.h"

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
    MessageBox::setScripted(false);
    if (m_oldConfigHome.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", m_oldConfigHome);
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

bool TestEnvironment::noModalLeft() const
{
    QCoreApplication::processEvents();
    bool none = true;
    while (QWidget* modal = QApplication::activeModalWidget()) {
        none = false;
        modal->close();
        QCoreApplication::processEvents();
    }
    return none;
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
            qWarning("onNextModal: no modal window opened");
    });
    timer->start();
}
