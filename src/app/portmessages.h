#pragma once

// Where the port owner's messages reach the operator: every problem it raises
// is shown as a warning over the window it names, and an offer to link the
// port to a USB adapter is asked adapter by adapter until the operator says
// Yes. The owner words everything and decides when; this only shows.
//
// Data flow: PortOwner::problem / linkOffered -> MessageBox -> the operator's
// answer -> PortOwner::acceptLinkOffer().

#include <QObject>

class PortOwner;

class PortMessages : public QObject {
    Q_OBJECT

public:
    // Shows the owner's messages for as long as both exist.
    explicit PortMessages(PortOwner& owner);
};
