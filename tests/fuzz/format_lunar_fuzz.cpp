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

#include "../common/sequential_format.h"
#include "display/civil_date.h"
#include "display/lunar_calendar.h"

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
    if (text != tz::test_support::FormatBySequentialReplacement(std::string(format), date)) std::abort();
    return 0;
}
