#include "links/storefront_links.h"

#include <array>

#include "app/command_ids.h"

#ifndef TZ_STOREFRONT_HOST
#error "TZ_STOREFRONT_HOST must be defined by the build (STOREFRONT_HOST)"
#endif
static_assert(tz::IsPlainHostName(TZ_STOREFRONT_HOST),
              "STOREFRONT_HOST must be a plain host name (letters, digits, dots, hyphens)");

namespace tz {
namespace {

struct LinkRow {
    int id;            // control ID or menu command
    const char* path;  // appended to "http://" + host
};

// The category numbers are the storefront's own and follow no pattern.
constexpr std::array kButtonLinks{
    LinkRow{ids::kButtonBase + 1, "/?cid=1"},        LinkRow{ids::kButtonBase + 2, "/?cid=4"},
    LinkRow{ids::kButtonBase + 3, "/?cid=9"},        LinkRow{ids::kButtonBase + 4, "/?cid=2"},
    LinkRow{ids::kButtonBase + 5, "/?cid=11"},       LinkRow{ids::kButtonBase + 6, "/?cid=8"},
    LinkRow{ids::kButtonBase + 7, "/?cid=5"},        LinkRow{ids::kButtonBase + 8, "/?cid=15"},
    LinkRow{ids::kButtonBase + 9, "/?cid=6"},        LinkRow{ids::kButtonBase + 10, "/?cid=7"},
    LinkRow{ids::kButtonBase + 11, "/user/reg.php"}, LinkRow{ids::kButtonBase + 12, "/"},
};

constexpr std::array kCommandLinks{
    LinkRow{ids::kOpenSubsite, "/user/reg.php"},
    LinkRow{ids::kWebsite, ""},
};

std::string AddressWithPath(const char* path) {
    std::string address = "http://";
    address += StorefrontHost();
    address += path;
    return address;
}

template <std::size_t N>
std::optional<std::string> Lookup(const std::array<LinkRow, N>& rows, int id) {
    for (const LinkRow& row : rows) {
        if (row.id == id) return AddressWithPath(row.path);
    }
    return std::nullopt;
}

}  // namespace

std::string_view StorefrontHost() { return TZ_STOREFRONT_HOST; }

std::optional<std::string> AddressForControl(int controlId) {
    return Lookup(kButtonLinks, controlId);
}

std::optional<std::string> AddressForCommand(int command) { return Lookup(kCommandLinks, command); }

std::string StorefrontHomeAddress() { return AddressWithPath(""); }

}  // namespace tz
