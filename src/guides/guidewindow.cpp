#include "guides/guidewindow.h"

#include "app/messagebox.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

void makeFixedDialog(QDialog* dialog, QSize clientSize)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dialog->setFixedSize(clientSize);
    dialog->setModal(true);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        dialog->move(screen->availableGeometry().center() -
                     QPoint(clientSize.width() / 2, clientSize.height() / 2));
}

QFont designFont(qreal pointSize, bool bold)
{
    // Where the design face is missing, faces of the same width stand in, so
    // captions still fit their cells.
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void shrinkToFit(QLabel* label)
{
    QFont font = label->font();
    while (label->sizeHint().height() > label->height() && font.pointSizeF() > 6) {
        font.setPointSizeF(font.pointSizeF() - 0.25);
        label->setFont(font);
    }
}

GuideWindow::GuideWindow(QWidget* parent, const char* objectName, const char* caption,
                         QSize clientSize, Mode mode)
    : QDialog(parent), m_mode(mode)
{
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(QString::fromLatin1(caption));
    makeFixedDialog(this, clientSize);
    connect(&m_link, &SerialLink::problem, this,
            [this](const QString& message) { MessageBox::warn(this, message); });
    Form_Load();
}

void GuideWindow::Form_Load()
{
    // Read afresh at every opening, so a changed file takes effect now.
    const QString problem = m_link.openFromSettingsFile();
    if (!problem.isEmpty())
        MessageBox::warn(this, problem);
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

bool GuideWindow::Entry_Click(const QString& name)
{
    const GuideEntry* entry = m_entries.value(name);
    if (!entry)
        return false;
    for (const CatCommand& command : commandsFor(*entry, m_mode))
        m_link.sendCommand(command);
    return true;
}

QLineEdit* GuideWindow::addTextEntry(QWidget* container, const GuideEntry& entry,
                                     const QRect& geometry)
{
    auto* box = new QLineEdit(QString::fromLatin1(entry.caption), container);
    box->setObjectName(QString::fromLatin1(entry.name));
    box->setAccessibleName(box->text());
    // The text is never read back, so the operator cannot change what it shows.
    box->setReadOnly(true);
    box->setGeometry(geometry);
    box->installEventFilter(this);
    m_entries.insert(box->objectName(), &entry);
    return box;
}

QPushButton* GuideWindow::addButtonEntry(QWidget* container, const GuideEntry& entry,
                                         const QRect& geometry)
{
    auto* button = new QPushButton(QString::fromLatin1(entry.caption), container);
    button->setObjectName(QString::fromLatin1(entry.name));
    button->setAccessibleName(button->text());
    button->setGeometry(geometry);
    m_entries.insert(button->objectName(), &entry);
    connect(button, &QPushButton::clicked, this,
            [this, name = button->objectName()] { Entry_Click(name); });
    return button;
}

bool GuideWindow::eventFilter(QObject* watched, QEvent* event)
{
    // A text box acts when the left button is released over it, as a click.
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* box = qobject_cast<QLineEdit*>(watched);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (box && mouse->button() == Qt::LeftButton &&
            box->rect().contains(mouse->position().toPoint()))
            Entry_Click(box->objectName());
    }
    return QDialog::eventFilter(watched, event);
}
