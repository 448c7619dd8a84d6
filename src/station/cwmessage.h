#pragma once

// A CW message as the radio's keyer takes it: the operator's text (a message
// memory or the typed line) turned into KY texts paced by the time the radio
// needs to key each one, with KS where the speed changes.
//
// Data flow: text -> planCwMessage(text, call sign, speed as sent, speed to
// start at) -> CwMessage: either a refusal (nothing is sent) or the pieces in
// order, each a KS or KY command with the time the radio takes to key it ->
// the keyer's sender (controls/keyersend.h) hands one piece over, waits that
// long on the clock, hands over the next.
//
// The radio's buffer is of unknown length, so a program that never asks the
// radio must assume room for one text: the next KY goes out no sooner than
// the radio has keyed the previous one. Texts are cut at word boundaries and
// the blank between two words starts the next text, so the word gap is kept
// whether the radio keys or drops a text's padding. Timing is PARIS: a dot is
// 1200/wpm ms, a dash three dots, one dot between the elements of a
// character, three between characters, seven between words.
//
// Macros: {CALL} is the operator's call sign; {SPEED+} and {SPEED-} change
// the speed by speedStep, within the radio's range, between two texts.
//
// Qt Core only.

#include "radio/catcommand.h"
#include "station/station.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

struct CwPiece {
    CatCommand command;  // KS or KY
    qint64 keyingMs = 0; // how long the radio keys a KY text; 0 for KS
};

struct CwMessage {
    QList<CwPiece> pieces;
    // Why nothing can be sent (a character the radio cannot key, an unknown
    // macro, {CALL} without a call sign, nothing to send); empty otherwise.
    QString refusal;
    // The message as it is keyed, macros expanded: "CQ CQ DE K1ABC K".
    QString spoken;
    // The speed as sent once the message has gone.
    int speedAfter = 0;
    // All the pieces' keying time together.
    qint64 keyingMs() const;
};

namespace Cw {

inline constexpr int speedStep = 5;
// The speed the keyer offers before the operator chose one.
inline constexpr int defaultSpeed = 20;

// The characters of text the radio cannot key, each once, in the order they
// first appear: "#", "%", "tab". Empty when all are keyable.
QStringList refusedCharacters(const QString& text);

// A text's length in dots, the gap after each character included: "E" is 4,
// "PARIS " 50; a blank is 4 (a word gap of 7 with the gap before it).
int dots(const QByteArray& text);
// The longest character's dots, its gap after it included.
int longestCharacterDots();
// How long the radio keys the text at the speed, rounded up to the millisecond.
qint64 keyingMilliseconds(const QByteArray& text, int wordsPerMinute);

// Words (upper case, keyable, no blank inside) into KY texts of at most the
// radio's width. firstAfterGap: a word came before them in the message, so the
// first text starts with the blank between.
QList<QByteArray> keyerTexts(const QList<QByteArray>& words, bool firstAfterGap);

// The message's pieces. speedAsSent: the KS last sent, if any; without one the
// message starts with KS at startSpeed, since the pacing must know the speed.
CwMessage planCwMessage(const QString& message, const QString& callSign,
                        std::optional<int> speedAsSent, int startSpeed);

} // namespace Cw

namespace Station {
// The keyer's speed control: KS, kept as the speed as sent.
StationStep setKeyerSpeed(const StationState& state, int wordsPerMinute);
// One piece of a message: its KS is kept as the speed as sent; a KY text
// changes nothing the station shows, and says nothing (the message as a whole
// was announced when it started).
StationStep sendCwPiece(const StationState& state, const CwPiece& piece);
} // namespace Station
