#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <deque>

namespace vradio {

// The radio's CW keyer as the KY command feeds it: texts of a fixed width
// (24 characters, space-padded) wait in a buffer and are keyed one character
// after the other, in real time, at the speed KS sets.
//
//   KY text -> take() -> buffer (at most TextsHeld texts) -> keyed by time
//                                                            -> finished runs
//
// Time comes from outside (advanceTo), so the radio and its tests share one
// clock: a client that sends texts faster than they are keyed fills the
// buffer, and take() refuses the text that does not fit.
//
// Choices where the TS-570's exact behaviour was not at hand:
// - The buffer holds the text being keyed and one more; a third is an
//   overflow. "KY;" answers 0 (room for a whole text) or 1 (none).
// - Spaces at the end of a text are its padding and are not keyed; spaces
//   before and inside it are word gaps.
// - Timing is the PARIS standard: a dot one unit of 1200/wpm ms, a dash
//   three, one unit between the elements of a character, three between
//   characters, seven between words. Each character is keyed at the speed set
//   when it starts.
class Keyer {
public:
    static constexpr int TextWidth = 24;
    static constexpr int TextsHeld = 2;

    // The characters the keyer knows (letters in either case).
    static bool keyable(char c);
    // A character's length in dot units, the gap after it included: "E" is
    // 1 + 3, a space 4 (with the gap before it, a word gap of 7).
    static int units(char c);
    // The text a KY parameter keys: upper case, its padding removed.
    static QByteArray keyedText(QByteArrayView field);

    // A stretch of keying from an idle buffer back to an idle buffer.
    struct Run {
        QByteArray text;
        qint64 endUs = 0;
        bool cut = false; // ended by a reset or power-off, not keyed out
    };

    // Moves the keyer's clock on (never back) and keys what is due; wpm is
    // the speed for characters that start by then.
    void advanceTo(qint64 nowUs, int wpm);

    bool hasRoom() const { return m_texts.size() < TextsHeld; }
    bool busy() const { return !m_texts.empty(); }

    // Queues a text (as keyedText() gives it) at the keyer's present time;
    // false when the buffer is full, and nothing of it is kept.
    bool take(const QByteArray& text, int wpm);

    // Characters not yet keyed, the one being keyed first.
    QByteArray waiting() const;
    // When the character being keyed ends; only while busy().
    qint64 characterEndUs() const { return m_characterEndUs; }

    // Drops everything waiting; what was keyed so far ends a run.
    void clear();

    // Runs that have ended since the last call, oldest first.
    QList<Run> takeFinishedRuns();

private:
    void startCharacter(qint64 atUs, int wpm);

    std::deque<QByteArray> m_texts; // the front one is being keyed
    qsizetype m_position = 0;       // in the front text
    qint64 m_characterEndUs = 0;
    qint64 m_nowUs = 0;
    QByteArray m_run; // keyed since the buffer was last idle
    QList<Run> m_finished;
};

} // namespace vradio
