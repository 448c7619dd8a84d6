#include "station/cwmessage.h"

#include "radio/commandwords.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace {

// International Morse for every character the radio keys.
const QHash<char, const char*>& morse()
{
    static const QHash<char, const char*> table = {
        {'A', ".-"},      {'B', "-..."},   {'C', "-.-."},   {'D', "-.."},    {'E', "."},
        {'F', "..-."},    {'G', "--."},    {'H', "...."},   {'I', ".."},     {'J', ".---"},
        {'K', "-.-"},     {'L', ".-.."},   {'M', "--"},     {'N', "-."},     {'O', "---"},
        {'P', ".--."},    {'Q', "--.-"},   {'R', ".-."},    {'S', "..."},    {'T', "-"},
        {'U', "..-"},     {'V', "...-"},   {'W', ".--"},    {'X', "-..-"},   {'Y', "-.--"},
        {'Z', "--.."},    {'0', "-----"},  {'1', ".----"},  {'2', "..---"},  {'3', "...--"},
        {'4', "....-"},   {'5', "....."},  {'6', "-...."},  {'7', "--..."},  {'8', "---.."},
        {'9', "----."},   {'.', ".-.-.-"}, {',', "--..--"}, {'?', "..--.."}, {'/', "-..-."},
        {'=', "-...-"},   {'+', ".-.-."},  {'-', "-....-"}, {'(', "-.--."},  {')', "-.--.-"},
        {'\'', ".----."}, {'"', ".-..-."}, {':', "---..."}, {'@', ".--.-."},
    };
    return table;
}

// A character's dots with the three-dot gap after it; a blank adds four to
// that gap, making the seven of a word gap.
int characterDots(char c)
{
    if (c == ' ')
        return 4;
    const char* elements = morse().value(c, nullptr);
    if (!elements)
        return 0;
    int length = 0;
    for (const char* e = elements; *e; ++e)
        length += (*e == '-' ? 3 : 1) + 1; // the element and the dot after it
    return length - 1 + 3;
}

QString characterName(QChar c)
{
    switch (c.unicode()) {
    case '\t':
        return QStringLiteral("tab");
    case '\n':
    case '\r':
        return QStringLiteral("line break");
    case 0xa0:
        return QStringLiteral("no-break space");
    default:
        break;
    }
    if (!c.isPrint())
        return QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    return QString(c);
}

QString namesInWords(const QStringList& names)
{
    if (names.size() == 1)
        return names.first();
    return names.mid(0, names.size() - 1).join(QStringLiteral(" ")) + QStringLiteral(" and ") +
           names.last();
}

// What the message is made of once {CALL} is in: words, and speed changes
// between them.
struct Token {
    QByteArray word; // empty for a speed change
    int speedChange = 0;
    bool gapBefore = false; // a blank came between this word and the one before
};

} // namespace

qint64 CwMessage::keyingMs() const
{
    qint64 total = 0;
    for (const CwPiece& piece : pieces)
        total += piece.keyingMs;
    return total;
}

namespace Cw {

QStringList refusedCharacters(const QString& text)
{
    QStringList names;
    for (QChar c : text) {
        if (CatCommand::keyable(c))
            continue;
        const QString name = characterName(c);
        if (!names.contains(name))
            names.append(name);
    }
    return names;
}

int dots(const QByteArray& text)
{
    int total = 0;
    for (char c : text)
        total += characterDots(c);
    return total;
}

int longestCharacterDots()
{
    int longest = 0;
    for (auto it = morse().cbegin(); it != morse().cend(); ++it)
        longest = std::max(longest, characterDots(it.key()));
    return longest;
}

qint64 keyingMilliseconds(const QByteArray& text, int wordsPerMinute)
{
    if (wordsPerMinute <= 0)
        return 0;
    const qint64 numerator = qint64(dots(text)) * 1200;
    return (numerator + wordsPerMinute - 1) / wordsPerMinute;
}

QList<QByteArray> keyerTexts(const QList<QByteArray>& words, bool firstAfterGap)
{
    const int width = CatCommand::keyerTextWidth;
    QList<QByteArray> texts;
    QByteArray current;
    bool gap = firstAfterGap;
    for (const QByteArray& word : words) {
        const QByteArray withGap = gap ? ' ' + word : word;
        gap = true;
        if (!current.isEmpty() && current.size() + withGap.size() <= width) {
            current += withGap;
            continue;
        }
        if (!current.isEmpty())
            texts.append(current);
        current = withGap;
        // A word wider than a text goes out in slices; the radio keys them
        // without a gap between, as one word.
        while (current.size() > width) {
            texts.append(current.left(width));
            current = current.mid(width);
        }
    }
    if (!current.isEmpty())
        texts.append(current);
    return texts;
}

CwMessage planCwMessage(const QString& message, const QString& callSign,
                        std::optional<int> speedAsSent, int startSpeed)
{
    CwMessage plan;
    const auto refuse = [&plan](const QString& why) {
        plan.refusal = why;
        plan.speedAfter = 0;
        return plan;
    };

    // Macros first: an unknown one is named as a whole, not as its braces.
    static const QRegularExpression macro(QStringLiteral("\\{([^{}]*)\\}"));
    QList<Token> tokens;
    QString plain;                       // the text since the last speed change, {CALL} put in
    QList<std::pair<QString, int>> runs; // text, then the speed change after it
    qsizetype from = 0;
    for (auto match = macro.globalMatch(message); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        const QString name = m.captured(1).trimmed().toUpper();
        plain += message.mid(from, m.capturedStart() - from);
        from = m.capturedEnd();
        if (name == QLatin1String("CALL")) {
            if (callSign.trimmed().isEmpty())
                return refuse(QStringLiteral(
                    "The message uses {CALL}, but no call sign is set: type yours in the "
                    "keyer's Call sign box and send again."));
            plain += callSign.trimmed();
        } else if (name == QLatin1String("SPEED+") || name == QLatin1String("SPEED-")) {
            runs.append({plain, name.endsWith(QLatin1Char('+')) ? speedStep : -speedStep});
            plain.clear();
        } else {
            return refuse(QStringLiteral("The keyer does not know the macro %1: it knows {CALL}, "
                                         "{SPEED+} and {SPEED-}. Correct the message and send "
                                         "again.")
                              .arg(m.captured(0)));
        }
    }
    plain += message.mid(from);
    runs.append({plain, 0});

    QString all;
    for (const auto& run : runs)
        all += run.first;
    const QStringList refused = refusedCharacters(all);
    if (!refused.isEmpty())
        return refuse(
            QStringLiteral("The radio cannot key %1 %2. It keys letters, digits, the blank and "
                           ". , ? / = + - ( ) ' \" : @ only; change the message and send again.")
                .arg(refused.size() == 1 ? QStringLiteral("this character:")
                                         : QStringLiteral("these characters:"),
                     namesInWords(refused)));

    // Words, and whether a blank came before each (across a speed change too).
    bool blankBefore = false;
    bool anyWord = false;
    for (const auto& [text, change] : runs) {
        QByteArray word;
        bool gapBefore = false;
        const auto endWord = [&] {
            if (word.isEmpty())
                return;
            tokens.append({word, 0, gapBefore});
            anyWord = true;
            word.clear();
            blankBefore = false;
        };
        for (char c : text.toUpper().toLatin1()) {
            if (c == ' ') {
                endWord();
                blankBefore = true;
                continue;
            }
            if (word.isEmpty())
                gapBefore = blankBefore && anyWord;
            word += c;
        }
        endWord();
        if (change != 0)
            tokens.append({{}, change, false});
    }
    if (!anyWord)
        return refuse(QStringLiteral("There is nothing to send: the message is empty."));

    if (startSpeed < CatCommand::keyerSlowestWpm || startSpeed > CatCommand::keyerFastestWpm)
        startSpeed = defaultSpeed;
    int speed = speedAsSent.value_or(startSpeed);
    if (!speedAsSent)
        plan.pieces.append({CatCommand::keyerSpeed(speed), 0});

    QStringList spoken;
    QList<QByteArray> words;
    bool firstAfterGap = false;
    const auto flush = [&] {
        for (const QByteArray& text : keyerTexts(words, firstAfterGap))
            plan.pieces.append({CatCommand::keyerText(text), keyingMilliseconds(text, speed)});
        words.clear();
    };
    for (const Token& token : tokens) {
        if (token.word.isEmpty()) {
            flush();
            const int next = std::clamp(speed + token.speedChange, CatCommand::keyerSlowestWpm,
                                        CatCommand::keyerFastestWpm);
            if (next != speed) {
                speed = next;
                plan.pieces.append({CatCommand::keyerSpeed(speed), 0});
            }
            continue;
        }
        if (words.isEmpty())
            firstAfterGap = token.gapBefore;
        words.append(token.word);
        if (token.gapBefore || spoken.isEmpty())
            spoken.append(QString::fromLatin1(token.word));
        else
            spoken.last() += QString::fromLatin1(token.word); // run together across a macro
    }
    flush();
    plan.spoken = spoken.join(QLatin1Char(' '));
    plan.speedAfter = speed;
    return plan;
}

} // namespace Cw

namespace Station {

StationStep setKeyerSpeed(const StationState& state, int wordsPerMinute)
{
    StationStep step;
    step.state = state;
    const CatCommand command = CatCommand::keyerSpeed(wordsPerMinute);
    if (!command.isValid()) {
        step.refusal = QStringLiteral("The keyer's speed is %1 to %2 words per minute.")
                           .arg(CatCommand::keyerSlowestWpm)
                           .arg(CatCommand::keyerFastestWpm);
        return step;
    }
    step.commands = {command};
    step.state.keyerWordsPerMinute = wordsPerMinute;
    step.words = keyerSpeedWords(wordsPerMinute) + QStringLiteral(" as sent");
    return step;
}

StationStep sendCwPiece(const StationState& state, const CwPiece& piece)
{
    StationStep step;
    step.state = state;
    step.commands = {piece.command};
    if (piece.command.kind() == CatCommand::Kind::KeyerSpeed)
        step.state.keyerWordsPerMinute = piece.command.wordsPerMinute();
    return step;
}

} // namespace Station
