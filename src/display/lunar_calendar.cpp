#include "display/lunar_calendar.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "display/lunar_year_builder.h"
#include "display/solar_terms.h"

namespace tz {
namespace {

// Each name is one CJK character, three bytes in UTF-8.
constexpr std::string_view kStems = "甲乙丙丁戊己庚辛壬癸";
constexpr std::string_view kBranches = "子丑寅卯辰巳午未申酉戌亥";
constexpr std::string_view kAnimals = "鼠牛虎兔龙蛇马羊猴鸡狗猪";
constexpr std::string_view kMonthNumerals = "正二三四五六七八九十";
constexpr std::string_view kTensPrefixes = "初十廿三";
constexpr std::string_view kUnits = "一二三四五六七八九十";
constexpr std::size_t kCharBytes = 3;

constexpr std::string_view Char(std::string_view table, int index) {
    return table.substr(static_cast<std::size_t>(index) * kCharBytes, kCharBytes);
}

struct YearInfo {
    int new_year_day;
    int leap_month;
    int month_count;
    std::uint16_t long_months;  // bit i: month i in calendar order has 30 days
};

struct Table {
    std::array<YearInfo, kLunarTableSize> years;
    std::array<int, kLunarTableSize + 1> starts;  // New Year days, plus the end of the last year
};

Table MakeTable() {
    Table t{};
    for (int i = 0; i < kLunarTableSize; ++i) {
        const std::uint32_t bits = kLunarYearTable[i];
        YearInfo& y = t.years[static_cast<std::size_t>(i)];
        y.leap_month = static_cast<int>((bits >> 13) & 0xF);
        y.month_count = y.leap_month == 0 ? 12 : 13;
        y.long_months = static_cast<std::uint16_t>(bits & 0x1FFF);
        y.new_year_day =
            DaysFromCivil({kLunarTableFirstYear + i, 1, 1}) + static_cast<int>((bits >> 17) & 0x3F);
        t.starts[static_cast<std::size_t>(i)] = y.new_year_day;
    }
    const YearInfo& last = t.years.back();
    int end = last.new_year_day;
    for (int m = 0; m < last.month_count; ++m) end += 29 + ((last.long_months >> m) & 1);
    t.starts.back() = end;
    return t;
}

const Table& TheTable() {
    static const Table table = MakeTable();
    return table;
}

const YearInfo* FindYear(int lunar_year) {
    if (lunar_year < kLunarTableFirstYear || lunar_year > kLunarTableLastYear) return nullptr;
    return &TheTable().years[static_cast<std::size_t>(lunar_year - kLunarTableFirstYear)];
}

// Position of a month in calendar order (0..12), or -1 if the year lacks it.
int MonthPosition(const YearInfo& y, int month, bool leap) {
    if (month < 1 || month > 12) return -1;
    if (leap) return y.leap_month == month ? month : -1;
    return (y.leap_month != 0 && month > y.leap_month) ? month : month - 1;
}

void AppendNumber(std::string& out, int value) {
    char buffer[12];
    char* end = buffer + sizeof buffer;
    char* p = end;
    unsigned v = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        *--p = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    if (value < 0) *--p = '-';
    out.append(p, static_cast<std::size_t>(end - p));
}

void AppendMonthName(std::string& out, int month, bool leap) {
    if (month < 1 || month > 12) return;
    if (leap) out += "闰";
    if (month == 11) {
        out += "冬月";
    } else if (month == 12) {
        out += "腊月";
    } else {
        out += Char(kMonthNumerals, month - 1);
        out += "月";
    }
}

void AppendDayName(std::string& out, int day) {
    if (day < 1 || day > 30) return;
    if (day == 20) {
        out += "二十";
    } else if (day == 30) {
        out += "三十";
    } else {
        out += Char(kTensPrefixes, (day - 1) / 10);
        out += Char(kUnits, (day - 1) % 10);
    }
}

}  // namespace

bool IsSupportedDate(CivilDate date) {
    if (!IsValidCivilDate(date)) return false;
    const int days = DaysFromCivil(date);
    return days >= DaysFromCivil(kFirstSupportedDate) && days <= DaysFromCivil(kLastSupportedDate);
}

std::optional<LunarDate> ToLunar(CivilDate date) {
    if (!IsSupportedDate(date)) return std::nullopt;
    const int days = DaysFromCivil(date);
    const Table& table = TheTable();
    // The last New Year on or before the day.
    const auto it = std::upper_bound(table.starts.begin(), table.starts.end() - 1, days) - 1;
    const std::size_t index = static_cast<std::size_t>(it - table.starts.begin());
    const YearInfo& y = table.years[index];
    int offset = days - y.new_year_day;
    for (int m = 0; m < y.month_count; ++m) {
        const int length = 29 + ((y.long_months >> m) & 1);
        if (offset < length) {
            const bool leap = y.leap_month != 0 && m == y.leap_month;
            const int month = (y.leap_month != 0 && m > y.leap_month - 1) ? m : m + 1;
            return LunarDate{kLunarTableFirstYear + static_cast<int>(index), month, offset + 1,
                             leap};
        }
        offset -= length;
    }
    return std::nullopt;  // unreachable: the supported days all lie inside the table
}

int SexagenaryYear(CivilDate date) {
    if (!IsSupportedDate(date)) return 0;
    // 1901 is 辛丑, number 38.
    int n = (date.year - 1901) % 60 + 38;
    if (n > 60) n -= 60;
    if (DaysFromCivil(date) < LichunDay(date.year)) n = n == 1 ? 60 : n - 1;
    return n;
}

std::string SexagenaryYearName(int number) {
    if (number < 1 || number > 60) return {};
    std::string name(Char(kStems, (number - 1) % 10));
    name += Char(kBranches, (number - 1) % 12);
    return name;
}

std::string ZodiacName(int number) {
    if (number < 1 || number > 60) return {};
    return std::string(Char(kAnimals, (number - 1) % 12));
}

std::string LunarMonthName(int month, bool leap) {
    std::string name;
    AppendMonthName(name, month, leap);
    return name;
}

std::string LunarDayName(int day) {
    std::string name;
    AppendDayName(name, day);
    return name;
}

std::string FormatLunarText(std::string_view format, CivilDate date) {
    const std::optional<LunarDate> lunar = ToLunar(date);
    if (!lunar) return {};
    if (format.empty()) format = kDefaultLunarFormat;
    const int year_number = SexagenaryYear(date);

    // One pass from left to right. Replacing the codes one after another,
    // %Y first, gives the same text: no replacement contains '%' or starts
    // with a letter, so none can form or break another code.
    std::string out;
    out.reserve(format.size() + 32);
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c != '%' || i + 1 == format.size()) {
            out += c;
            continue;
        }
        switch (format[i + 1]) {
            case 'Y':
                out += Char(kStems, (year_number - 1) % 10);
                out += Char(kBranches, (year_number - 1) % 12);
                break;
            case 'S':
                out += Char(kAnimals, (year_number - 1) % 12);
                break;
            case 'M':
                AppendMonthName(out, lunar->month, lunar->leap);
                break;
            case 'D':
                AppendDayName(out, lunar->day);
                break;
            case 'y':
                AppendNumber(out, date.year);
                break;
            case 'm':
                AppendNumber(out, date.month);
                break;
            case 'd':
                AppendNumber(out, date.day);
                break;
            default:
                out += c;
                continue;
        }
        ++i;
    }
    return out;
}

int LeapMonthOfYear(int lunar_year) {
    const YearInfo* y = FindYear(lunar_year);
    return y ? y->leap_month : 0;
}

int DaysInLunarMonth(int lunar_year, int month, bool leap) {
    const YearInfo* y = FindYear(lunar_year);
    if (!y) return 0;
    const int position = MonthPosition(*y, month, leap);
    if (position < 0) return 0;
    return 29 + ((y->long_months >> position) & 1);
}

std::optional<CivilDate> FromLunar(LunarDate date) {
    const YearInfo* y = FindYear(date.year);
    if (!y) return std::nullopt;
    const int position = MonthPosition(*y, date.month, date.leap);
    if (position < 0) return std::nullopt;
    if (date.day < 1 || date.day > 29 + ((y->long_months >> position) & 1)) return std::nullopt;
    int days = y->new_year_day;
    for (int m = 0; m < position; ++m) days += 29 + ((y->long_months >> m) & 1);
    return CivilFromDays(days + date.day - 1);
}

}  // namespace tz
