#pragma once

// What the four frequency guides share. A guide is a fixed-size modal window
// listing entries; a click on an entry tunes the radio: three commands (the
// guide's mode, "FR0;" for VFO A, and the entry's frequency on VFO A) written
// through the guide's own SerialLink, in the order the entry gives.
//
// Data flow: each guide keeps one static table of GuideEntry and builds its
// cells from it in one loop with addTextEntry()/addButtonEntry(); the cell's
// click (or, for buttons, the keyboard) ends in Entry_Click(name), which looks
// the entry up and sends. The guide never reads from the radio and keeps no
// state besides its link. Its constructor is the load sequence: settings read
// afresh, link opened. The link gives the port back when the window is
// destroyed (Form4 closes it explicitly first).

#include "radio/seriallink.h"

#include <QDialog>
#include <QFont>
#include <QHash>

#include <array>

class QLabel;
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

// Fixed size, centred, title and close button only. Shared by every window
// opened from the menus that is not resizable.
void makeFixedDialog(QDialog* dialog, QSize clientSize);

// "MS Sans Serif" at a fractional point size, as the guides are designed.
QFont designFont(qreal pointSize, bool bold);

// Makes a label's lines fit its box where the face standing in for the design
// font is taller than the design's.
void shrinkToFit(QLabel* label);

class GuideWindow : public QDialog {
    Q_OBJECT

public:
    // The click handler of every entry of this guide: sends the three commands
    // of the entry with this control name. False when there is none.
    bool Entry_Click(const QString& name);

    // The three commands a click on this entry sends, in order.
    static std::array<CatCommand, 3> commandsFor(const GuideEntry& entry, Mode mode);

    SerialLink& link() { return m_link; }

protected:
    GuideWindow(QWidget* parent, const char* objectName, const char* caption, QSize clientSize,
                Mode mode);

    // A read-only text box that acts on a mouse click only.
    QLineEdit* addTextEntry(QWidget* container, const GuideEntry& entry, const QRect& geometry);
    // A push button that acts on a click and on the keyboard.
    QPushButton* addButtonEntry(QWidget* container, const GuideEntry& entry, const QRect& geometry);

    bool eventFilter(QObject* watched, QEvent* event) override;

    SerialLink m_link;

private:
    void Form_Load();

    Mode m_mode;
    QHash<QString, const GuideEntry*> m_entries;
};
