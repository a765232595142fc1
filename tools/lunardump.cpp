// Prints the engine's lunar calendar so that it can be checked against any
// other source:
//   lunardump FROM TO                    YYYY-MM-DD<TAB>text, one line per day
//   lunardump --terms YEAR_FROM YEAR_TO  YYYY<TAB>term<TAB>YYYY-MM-DD, in time order
// Dates are ISO (YYYY-MM-DD); days outside the supported range get an empty text.
#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "display/civil_date.h"
#include "display/lunar_calendar.h"
#include "display/solar_terms.h"

namespace {

std::optional<int> ParseInt(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::optional<tz::CivilDate> ParseIsoDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    const auto y = ParseInt(text.substr(0, 4));
    const auto m = ParseInt(text.substr(5, 2));
    const auto d = ParseInt(text.substr(8, 2));
    if (!y || !m || !d) return std::nullopt;
    const tz::CivilDate date{*y, *m, *d};
    if (!tz::IsValidCivilDate(date)) return std::nullopt;
    return date;
}

int Usage() {
    std::fputs("usage: lunardump FROM TO\n       lunardump --terms YEAR_FROM YEAR_TO\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string_view(argv[1]) == "--terms") {
        const auto from = ParseInt(argv[2]);
        const auto to = ParseInt(argv[3]);
        // Our astronomy is checked for these centuries only.
        if (!from || !to || *from < 1800 || *to > 2100) return Usage();
        for (int year = *from; year <= *to; ++year) {
            for (const tz::SolarTerm& term : tz::SolarTermsOfYear(year)) {
                const std::string_view name = tz::SolarTermName(term.index);
                std::printf("%04d\t%.*s\t%04d-%02d-%02d\n", year, static_cast<int>(name.size()),
                            name.data(), term.date.year, term.date.month, term.date.day);
            }
        }
        return 0;
    }
    if (argc != 3) return Usage();
    const auto from = ParseIsoDate(argv[1]);
    const auto to = ParseIsoDate(argv[2]);
    if (!from || !to) return Usage();
    std::string line;
    for (int day = tz::DaysFromCivil(*from); day <= tz::DaysFromCivil(*to); ++day) {
        const tz::CivilDate date = tz::CivilFromDays(day);
        const std::string text = tz::FormatLunarText({}, date);
        std::printf("%04d-%02d-%02d\t%s\n", date.year, date.month, date.day, text.c_str());
    }
    return 0;
}
