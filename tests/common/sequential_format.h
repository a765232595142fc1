// The lunar text codes replaced one after another in the documented order, as
// simply as it can be written: the reference for the single-pass formatter,
// shared by the unit tests and the fuzzer.
#pragma once

#include <string>
#include <utility>

#include "display/lunar_calendar.h"

namespace tz::test_support {

inline std::string FormatBySequentialReplacement(std::string format, CivilDate date) {
    if (format.empty()) format = std::string(kDefaultLunarFormat);
    const LunarDate lunar = *ToLunar(date);
    const int year = SexagenaryYear(date);
    const std::pair<const char*, std::string> codes[] = {
        {"%Y", SexagenaryYearName(year)},
        {"%S", ZodiacName(year)},
        {"%M", LunarMonthName(lunar.month, lunar.leap)},
        {"%D", LunarDayName(lunar.day)},
        {"%y", std::to_string(date.year)},
        {"%m", std::to_string(date.month)},
        {"%d", std::to_string(date.day)},
    };
    for (const auto& [code, text] : codes) {
        for (std::size_t at = format.find(code); at != std::string::npos;
             at = format.find(code, at + text.size())) {
            format.replace(at, 2, text);
        }
    }
    return format;
}

}  // namespace tz::test_support
