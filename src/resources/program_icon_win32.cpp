#include "resources/program_icon_win32.h"

#include <cstdint>
#include <span>

#include "resources/resource_ids.h"

namespace tz {
namespace {

std::span<const std::uint8_t> ResourceBytes(HINSTANCE instance, const wchar_t* name,
                                            const wchar_t* type) {
    HRSRC found = FindResourceW(instance, name, type);
    if (found == nullptr) return {};
    HGLOBAL loaded = LoadResource(instance, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) return {};
    return {static_cast<const std::uint8_t*>(data), SizeofResource(instance, found)};
}

}  // namespace

UniqueIcon LoadProgramIcon(HINSTANCE instance, IconRole role) {
    const auto group =
        ParseIconDirectory(ResourceBytes(instance, MAKEINTRESOURCEW(IDI_PROGRAM), RT_GROUP_ICON),
                           IconDirectoryForm::kResource);
    if (!group) return {};
    const auto index = ChooseIcon(*group, role);
    if (!index) return {};
    const IconEntry& entry = (*group)[*index];

    const auto image = ResourceBytes(instance, MAKEINTRESOURCEW(entry.locator), RT_ICON);
    if (image.empty()) return {};
    // The API takes a non-const pointer but only reads the image.
    auto* bits = const_cast<BYTE*>(image.data());
    return UniqueIcon(CreateIconFromResourceEx(bits, static_cast<DWORD>(image.size()), TRUE,
                                               0x00030000, entry.width, entry.height,
                                               LR_DEFAULTCOLOR));
}

}  // namespace tz
