#pragma once

#include <string_view>

namespace tz {

// Hands one address to the desktop shell's "open" action, shown normally.
// Returns at once; a refusal is silent by design.
void OpenWebAddress(std::string_view address);

// Opens the address as the hyperlink box does: the shell first, then the
// registered web browser started directly. True when either succeeded.
bool OpenWebAddressWithFallback(std::string_view address);

}  // namespace tz
