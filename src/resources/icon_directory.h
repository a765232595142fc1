// Reading icon directories and picking the window icons from them.
//
// An icon directory comes in two forms: the .ico file (each entry ends in the
// image's byte offset in the file) and the RT_GROUP_ICON resource (each entry
// ends in the RT_ICON resource ID of the image).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tz {

enum class IconDirectoryForm {
    kFile,      // 16-byte entries with a file offset
    kResource,  // 14-byte entries with a resource ID
};

struct IconEntry {
    int width = 0;         // pixels; a stored 0 means 256
    int height = 0;        // pixels; a stored 0 means 256
    int colour_count = 0;  // as stored: 0 for 256 colours or more
    int planes = 0;
    int bit_count = 0;
    std::uint32_t bytes = 0;    // size of the image data
    std::uint32_t locator = 0;  // file offset (kFile) or resource ID (kResource)
};

// The entries of a directory, or nothing when the bytes are not a well-formed
// icon directory (wrong header, no entries, truncated, or in the file form an
// image lying outside the file).
std::optional<std::vector<IconEntry>> ParseIconDirectory(std::span<const std::uint8_t> bytes,
                                                         IconDirectoryForm form);

enum class IconRole { kBig, kSmall };

// Index of the entry to use for the window's big or small icon: the first
// entry of the wanted width (32 or 16) with at least 16 colours, else the last
// entry. Nothing for an empty list.
std::optional<std::size_t> ChooseIcon(std::span<const IconEntry> entries, IconRole role);

}  // namespace tz
