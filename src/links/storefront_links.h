// Storefront addresses, all made from the build-time host name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tz {

// The storefront's host name, fixed at build time (STOREFRONT_HOST).
std::string_view StorefrontHost();

// True for a plain host name: labels of letters, digits and inner hyphens,
// joined by single dots; no scheme, path, port or trailing dot.
constexpr bool IsPlainHostName(std::string_view host) {
    if (host.empty() || host.size() > 253) return false;
    std::size_t labelLength = 0;
    char previous = '.';
    for (char c : host) {
        const bool alnum =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (c == '.') {
            if (labelLength == 0 || previous == '-') return false;
            labelLength = 0;
        } else if (alnum || c == '-') {
            if (labelLength == 0 && c == '-') return false;
            if (++labelLength > 63) return false;
        } else {
            return false;
        }
        previous = c;
    }
    return labelLength > 0 && previous != '-';
}

// The address a child control (a link button) or a menu command opens, or
// nothing when it opens none.
std::optional<std::string> AddressForControl(int controlId);
std::optional<std::string> AddressForCommand(int command);

// The storefront's home page, opened by "官方网站" and the hyperlink box.
// Always with its scheme: a bare host name is looked up as a file first by
// the shell, and one ending in ".com" could run a program of that name.
std::string StorefrontHomeAddress();

}  // namespace tz
