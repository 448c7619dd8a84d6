#include "keyer.h"

#include <array>
#include <utility>

namespace vradio {

namespace {

// International Morse code of the characters the keyer takes.
constexpr std::array<std::pair<char, const char*>, 49> codes{{
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
}};

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

const char* codeOf(char c)
{
    const char wanted = upper(c);
    for (const auto& [character, code] : codes) {
        if (character == wanted)
            return code;
    }
    return nullptr;
}

qint64 unitUs(int wpm)
{
    return 1'200'000 / qMax(1, wpm);
}

} // namespace

bool Keyer::keyable(char c)
{
    return c == ' ' || codeOf(c) != nullptr;
}

int Keyer::units(char c)
{
    if (c == ' ')
        return 4;
    const char* code = codeOf(c);
    if (!code)
        return 0;
    int length = 0;
    int elements = 0;
    for (const char* element = code; *element; ++element, ++elements)
        length += *element == '-' ? 3 : 1;
    return length + (elements - 1) + 3;
}

QByteArray Keyer::keyedText(QByteArrayView field)
{
    QByteArray text;
    for (const char c : field)
        text.append(upper(c));
    while (text.endsWith(' '))
        text.chop(1);
    return text;
}

void Keyer::advanceTo(qint64 nowUs, int wpm)
{
    m_nowUs = qMax(m_nowUs, nowUs);
    while (!m_texts.empty() && m_characterEndUs <= m_nowUs) {
        m_run.append(m_texts.front()[m_position]);
        const qint64 end = m_characterEndUs;
        if (++m_position == m_texts.front().size()) {
            m_texts.pop_front();
            m_position = 0;
        }
        if (m_texts.empty()) {
            m_finished.append({std::exchange(m_run, {}), end, false});
            break;
        }
        startCharacter(end, wpm);
    }
}

bool Keyer::take(const QByteArray& text, int wpm)
{
    if (text.isEmpty())
        return true;
    if (!hasRoom())
        return false;
    m_texts.push_back(text);
    if (m_texts.size() == 1) {
        m_position = 0;
        startCharacter(m_nowUs, wpm);
    }
    return true;
}

QByteArray Keyer::waiting() const
{
    QByteArray text;
    for (std::size_t i = 0; i < m_texts.size(); ++i)
        text += i == 0 ? m_texts[i].mid(m_position) : m_texts[i];
    return text;
}

void Keyer::clear()
{
    if (!m_run.isEmpty() || !m_texts.empty())
        m_finished.append({std::exchange(m_run, {}), m_nowUs, true});
    m_texts.clear();
    m_position = 0;
}

QList<Keyer::Run> Keyer::takeFinishedRuns()
{
    return std::exchange(m_finished, {});
}

void Keyer::startCharacter(qint64 atUs, int wpm)
{
    m_characterEndUs = atUs + units(m_texts.front()[m_position]) * unitUs(wpm);
}

} // namespace vradio
