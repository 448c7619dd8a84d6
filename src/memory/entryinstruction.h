#pragma once

// The instruction under the sheet, as a screen reader finds it: a label that
// belongs to the frequency boxes it explains (an AT-SPI "label for" each of
// them), not a loose label of the window.
//
// Orca speaks every loose label of three words or more each time a dialog
// becomes active, so a loose instruction was read again whenever a message
// box closed over the sheet. The boxes keep their own names ("Channel 00
// frequency"): what names a box is its own labelled-by side, which stays
// empty.

#include <QLabel>
#include <QList>
#include <QPointer>

// A class of its own (Q_OBJECT), so that its accessible interface is asked
// for by its own name before Qt's own one for QLabel answers.
class EntryInstruction : public QLabel {
    Q_OBJECT

public:
    EntryInstruction(const QString& text, QWidget* parent);

    // The boxes the instruction explains.
    void setExplained(const QList<QWidget*>& boxes);
    QList<QWidget*> explained() const;

private:
    QList<QPointer<QWidget>> m_explained;
};
