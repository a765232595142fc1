#include "display/date_time_text.h"

#include "app/join_texts.h"

namespace tz {
namespace {

constexpr const char* kRunningSuffix = "服务器正常运行中..";

void Append(std::string& text, int number, const char* unit) {
    text += std::to_string(number);
    text += unit;
}

}  // namespace

std::string DateTimeText(const DateTime& value) {
    std::string text;
    text.reserve(40);
    Append(text, value.year, "年");
    Append(text, value.month, "月");
    Append(text, value.day, "日");
    if (value.second != 0) {
        Append(text, value.hour, "时");
        Append(text, value.minute, "分");
        Append(text, value.second, "秒");
    } else if (value.minute != 0) {
        Append(text, value.hour, "时");
        Append(text, value.minute, "分");
    } else if (value.hour != 0) {
        Append(text, value.hour, "时");
    }
    return text;
}

std::string StartupStatusText(const DateTime& value) {
    return JoinTexts({DateTimeText(value).c_str(), kRunningSuffix});
}

}  // namespace tz
