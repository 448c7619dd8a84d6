#pragma once

// The last ten frequencies typed and tuned, newest first, kept in
// quillard.conf ("TuneToFrequency/recent") as the operator typed them: the
// box and Station Controls recall them with Up and Down.

#include <QStringList>

namespace RecentFrequencies {
QStringList read();
// Puts a frequency just tuned first, once, and keeps ten.
void add(const QString& typed);
inline constexpr int kept = 10;
} // namespace RecentFrequencies
