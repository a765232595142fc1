#include "app/join_texts.h"

#include <cstring>

namespace tz {

std::string JoinTexts(std::initializer_list<const char*> texts) {
    std::size_t length = 0;
    for (const char* text : texts) length += text ? std::strlen(text) : 0;
    std::string joined;
    joined.reserve(length);
    for (const char* text : texts) {
        if (text) joined += text;
    }
    return joined;
}

}  // namespace tz
