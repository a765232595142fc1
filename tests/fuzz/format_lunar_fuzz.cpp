// libFuzzer entry point for FormatLunarText, the one place where free text
// meets the engine. The first three bytes pick the day (in range or just
// outside it), the rest is the format. Besides crashes and sanitizer
// findings, it checks the single-pass formatter against the codes replaced
// one after another in the documented order.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "display/civil_date.h"
#include "display/lunar_calendar.h"

namespace {

std::string FormatBySequentialReplacement(std::string format, tz::CivilDate date) {
    if (format.empty()) format = std::string(tz::kDefaultLunarFormat);
    const tz::LunarDate lunar = *tz::ToLunar(date);
    const int year = tz::SexagenaryYear(date);
    const std::pair<const char*, std::string> codes[] = {
        {"%Y", tz::SexagenaryYearName(year)},
        {"%S", tz::ZodiacName(year)},
        {"%M", tz::LunarMonthName(lunar.month, lunar.leap)},
        {"%D", tz::LunarDayName(lunar.day)},
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const int first = tz::DaysFromCivil(tz::kFirstSupportedDate) - 2;
    const int span = tz::DaysFromCivil(tz::kLastSupportedDate) + 2 - first + 1;
    const int pick = data[0] | data[1] << 8 | data[2] << 16;
    const tz::CivilDate date = tz::CivilFromDays(first + pick % span);
    const std::string_view format(reinterpret_cast<const char*>(data + 3), size - 3);

    const std::string text = tz::FormatLunarText(format, date);
    if (!tz::IsSupportedDate(date)) {
        if (!text.empty()) std::abort();
        return 0;
    }
    if (text != FormatBySequentialReplacement(std::string(format), date)) std::abort();
    return 0;
}
