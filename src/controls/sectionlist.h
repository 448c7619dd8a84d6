#pragma once

// The sections of Station Controls, top to bottom. A new section is a file
// of its own (controls/<name>.cpp, defining `extern const Section <name>`)
// and one line here. The list names each one twice over for the window
// (stationcontrols.cpp): once to declare it, once to place it.

// clang-format off
#define QUILLARD_STATION_SECTIONS(SECTION) \
    SECTION(frequencySection)              \
    SECTION(splitSection)                  \
    SECTION(offsetSection)                 \
    SECTION(sixMetreSection)               \
    SECTION(powerSection)                  \
    SECTION(levelSection)                  \
    SECTION(filterSection)                 \
    SECTION(keyerSection)                  \
    SECTION(operatorButtonSection)
// clang-format on
