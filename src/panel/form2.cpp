#include "panel/form2.h"

#include "app/cues.h"
#include "app/messagebox.h"
#include "app/splash.h"
#include "app/wait.h"
#include "panel/menus.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QPainter>
#include <QPointer>
#include <QScreen>

namespace {
constexpr QSize clientSize(598, 432);

// The client area: teal under a sky picture drawn from the top-left corner
// and cut off at the window's edge.
class SkyCanvas : public QWidget {
public:
    explicit SkyCanvas(QWidget* parent) : QWidget(parent), m_sky(QStringLiteral(":/pictures/sky.png"))
    {
        setObjectName(QStringLiteral("Canvas"));
        setFixedSize(clientSize);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0, 128, 128));
        painter.drawPixmap(0, 0, m_sky);
    }

private:
    QPixmap m_sky;
};
} // namespace

Form2::Form2(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                              | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Kenwood Quillard Version 1.02"));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/quillard-icon.png")));
    setCentralWidget(new SkyCanvas(this));
    buildMenus(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    connect(&m_link, &SerialLink::problem, this,
            [this](const QString& message) { MessageBox::warn(this, message); });
}

void Form2::Form_Load()
{
    StartupFlag = 1;
    const SettingsRead read = readSettingsFile();
    m_comm = read.settings.Comm;
    m_baud = read.settings.Baud;
    m_settingsFileProblem = read.problem;

    QPointer<Splash> splash = new Splash;
    splash->show();
    WaitSeconds(2);
    PlayCue(QString::fromLatin1(Cue::Online));
    WaitSeconds(2);
    if (splash)
        splash->close();
}

void Form2::Form_Activate()
{
    if (m_link.isOpen())
        return;
    if (!m_settingsFileProblem.isEmpty()) {
        // A damaged settings file is reported once; commands then say why they
        // were not sent. Nothing is written to the operator's file.
        m_link.configure({m_comm, m_baud});
        if (!m_settingsFileProblemShown) {
            m_settingsFileProblemShown = true;
            MessageBox::warn(this, m_settingsFileProblem);
        }
        return;
    }
    m_link.openLink({m_comm, m_baud});
}

void Form2::Exit_Click()
{
    close();
}

void Form2::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void Form2::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
}

void Form2::closeEvent(QCloseEvent* event)
{
    // Unloading the main window ends the program at once, silently.
    m_link.closeLink();
    event->accept();
    QCoreApplication::quit();
}
