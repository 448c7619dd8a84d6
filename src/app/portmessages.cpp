#include "app/portmessages.h"

#include "session/portowner.h"
#include "ui/messagebox.h"

#include <QWidget>

namespace {
QWidget* over(QObject* window)
{
    return qobject_cast<QWidget*>(window);
}
} // namespace

PortMessages::PortMessages(PortOwner& owner)
{
    connect(&owner, &PortOwner::problem, this, [](QObject* window, const QString& message) {
        MessageBox::warn(over(window), message);
    });
    connect(&owner, &PortOwner::linkOffered, this,
            [&owner](QObject* window, const QList<LinkOffer>& offers) {
                for (const LinkOffer& offer : offers) {
                    if (MessageBox::ask(over(window), MessageBox::programTitle(), offer.question,
                                        QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No,
                                        QMessageBox::Yes) != QMessageBox::Yes)
                        continue;
                    const QString failure = owner.acceptLinkOffer(offer);
                    if (!failure.isEmpty())
                        MessageBox::warn(over(window), failure);
                    return;
                }
            });
}
