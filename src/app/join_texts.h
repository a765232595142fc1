#pragma once

#include <initializer_list>
#include <string>

namespace tz {

// The texts one after the other; a null text counts as empty.
std::string JoinTexts(std::initializer_list<const char*> texts);

}  // namespace tz
