#pragma once

// What the four frequency guides share. A guide is a fixed-size modal window
// listing entries; a click on an entry tunes the radio: three commands (the
// guide's mode, "FR0;" for VFO A, and the entry's frequency on VFO A) written
// through the guide's own SerialLink, in the order the entry gives.
//
// Data flow: each guide keeps one static table of GuideEntry and builds its
// cells from it in one loop with addTextEntry()/addButtonEntry(); a cell's
// click (or, for buttons, the keyboard) ends in Entry_Click() with the cell's
// entry, which sends. The guide never reads from the radio and keeps no state
// besides its link. Its constructor is the load sequence: the guide opens its
// link through the port lent to it, reading the settings afresh; closing the
// guide gives the port back.

#include "radio/seriallink.h"
#include "session/portowner.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;

enum class CommandOrder {
    ModeFirst,     // mode, "FR0;", frequency
    ReceiverFirst, // "FR0;", mode, frequency
};

// A fixed text of a guide (a station description, a note): never clickable.
struct GuideText {
    const char* name;
    const char* text;
    QRect geometry;
};

struct GuideEntry {
    const char* name;    // control name, e.g. "swl42"
    const char* caption; // what the cell shows; never parsed
    quint64 hertz;       // what the radio is tuned to
    CommandOrder order = CommandOrder::ModeFirst;
};

class GuideWindow : public QDialog {
    Q_OBJECT

public:
    // The click handler of every entry of this guide: sends its three commands.
    void Entry_Click(const GuideEntry& entry);

    // The three commands a click on this entry sends, in order.
    static std::array<CatCommand, 3> commandsFor(const GuideEntry& entry, Mode mode);

    SerialLink& link() { return m_link; }

    // Closing by the title bar, Esc or the program all end here: the port goes back.
    void done(int result) override;

protected:
    GuideWindow(PortLease lease, QWidget* parent, const char* objectName, const char* caption,
                QSize clientSize, Mode mode);

    // A read-only text box that acts on a mouse click only.
    QLineEdit* addTextEntry(QWidget* container, const GuideEntry& entry, const QRect& geometry);
    // A push button that acts on a click and on the keyboard.
    QPushButton* addButtonEntry(QWidget* container, const GuideEntry& entry, const QRect& geometry);

private:
    void Form_Load();

    Mode m_mode;
    PortLease m_lease; // outlives the link, which gives the port back first
    SerialLink m_link;
};
