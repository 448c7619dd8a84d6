#include "guides/guidewindow.h"

#include "ui/look.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace {
// A read-only text box that reports a click: the left button released over it.
class ClickableBox : public QLineEdit {
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QLineEdit::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            emit clicked();
    }
};
} // namespace

GuideWindow::GuideWindow(PortLease lease, QWidget* parent, const char* objectName,
                         const char* caption, QSize clientSize, Mode mode)
    : QDialog(parent), m_mode(mode), m_lease(std::move(lease))
{
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(QString::fromLatin1(caption));
    makeFixedDialog(this, clientSize);
    Form_Load();
}

void GuideWindow::Form_Load()
{
    m_lease.openAtLoad(m_link, this);
}

void GuideWindow::done(int result)
{
    m_lease.release();
    QDialog::done(result);
}

std::array<CatCommand, 3> GuideWindow::commandsFor(const GuideEntry& entry, Mode mode)
{
    const CatCommand modeCommand = CatCommand::mode(mode);
    const CatCommand vfoA = CatCommand::receiveOn(Receiver::VfoA);
    const CatCommand frequency = CatCommand::frequency(Vfo::A, entry.hertz);
    if (entry.order == CommandOrder::ReceiverFirst)
        return {vfoA, modeCommand, frequency};
    return {modeCommand, vfoA, frequency};
}

void GuideWindow::Entry_Click(const GuideEntry& entry)
{
    for (const CatCommand& command : commandsFor(entry, m_mode))
        m_link.sendCommand(command);
}

QLineEdit* GuideWindow::addTextEntry(QWidget* container, const GuideEntry& entry,
                                     const QRect& geometry)
{
    auto* box = new ClickableBox(QString::fromLatin1(entry.caption), container);
    box->setObjectName(QString::fromLatin1(entry.name));
    box->setAccessibleName(box->text());
    // The text is never read back, so the operator cannot change what it shows.
    box->setReadOnly(true);
    box->setGeometry(geometry);
    connect(box, &ClickableBox::clicked, this, [this, &entry] { Entry_Click(entry); });
    return box;
}

QPushButton* GuideWindow::addButtonEntry(QWidget* container, const GuideEntry& entry,
                                         const QRect& geometry)
{
    auto* button = new QPushButton(QString::fromLatin1(entry.caption), container);
    button->setObjectName(QString::fromLatin1(entry.name));
    button->setAccessibleName(button->text());
    button->setGeometry(geometry);
    connect(button, &QPushButton::clicked, this, [this, &entry] { Entry_Click(entry); });
    return button;
}

#include "guidewindow.moc"
