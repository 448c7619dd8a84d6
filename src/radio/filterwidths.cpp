#include "radio/filterwidths.h"

#include <array>

namespace {
constexpr std::array<FilterChoice, 11> cwFilters = {{
    {50, "50 Hz"},
    {80, "80 Hz"},
    {100, "100 Hz"},
    {150, "150 Hz"},
    {200, "200 Hz"},
    {300, "300 Hz"},
    {400, "400 Hz"},
    {500, "500 Hz"},
    {600, "600 Hz"},
    {1000, "1000 Hz"},
    {2000, "2000 Hz"},
}};
constexpr std::array<FilterChoice, 4> fskFilters = {{
    {250, "250 Hz"},
    {500, "500 Hz"},
    {1000, "1000 Hz"},
    {1500, "1500 Hz"},
}};
constexpr std::array<FilterChoice, 2> voiceFilters = {{
    {0, "narrow"},
    {1, "wide"},
}};
} // namespace

FilterFamily filterFamily(Mode mode)
{
    switch (mode) {
    case Mode::CW:
        return FilterFamily::Cw;
    case Mode::FSK:
        return FilterFamily::Fsk;
    case Mode::LSB:
    case Mode::USB:
    case Mode::FM:
    case Mode::AM:
        break;
    }
    return FilterFamily::Voice;
}

std::span<const FilterChoice> filterChoices(Mode mode)
{
    switch (filterFamily(mode)) {
    case FilterFamily::Cw:
        return cwFilters;
    case FilterFamily::Fsk:
        return fskFilters;
    case FilterFamily::Voice:
        break;
    }
    return voiceFilters;
}

QString filterWords(Mode mode, int value)
{
    for (const FilterChoice& choice : filterChoices(mode))
        if (choice.value == value)
            return QString::fromLatin1(choice.words);
    return {};
}
