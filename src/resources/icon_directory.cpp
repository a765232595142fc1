#include "resources/icon_directory.h"

namespace tz {
namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::uint16_t kTypeIcon = 1;

std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

int Dimension(std::uint8_t stored) { return stored == 0 ? 256 : stored; }

}  // namespace

std::optional<std::vector<IconEntry>> ParseIconDirectory(std::span<const std::uint8_t> bytes,
                                                         IconDirectoryForm form) {
    if (bytes.size() < kHeaderSize) return std::nullopt;
    if (ReadU16(bytes, 0) != 0 || ReadU16(bytes, 2) != kTypeIcon) return std::nullopt;
    const std::size_t count = ReadU16(bytes, 4);
    if (count == 0) return std::nullopt;

    const std::size_t entry_size = form == IconDirectoryForm::kFile ? 16 : 14;
    // Sizes here are at most 6 + 65535 * 16, far from overflowing size_t.
    if (bytes.size() < kHeaderSize + count * entry_size) return std::nullopt;

    std::vector<IconEntry> entries;
    entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = kHeaderSize + i * entry_size;
        IconEntry entry;
        entry.width = Dimension(bytes[at]);
        entry.height = Dimension(bytes[at + 1]);
        entry.colour_count = bytes[at + 2];
        entry.planes = ReadU16(bytes, at + 4);
        entry.bit_count = ReadU16(bytes, at + 6);
        entry.bytes = ReadU32(bytes, at + 8);
        if (form == IconDirectoryForm::kFile) {
            entry.locator = ReadU32(bytes, at + 12);
            // 64-bit sum: offset + size of two 32-bit fields cannot wrap.
            const std::uint64_t end = std::uint64_t{entry.locator} + entry.bytes;
            if (entry.locator < kHeaderSize + count * entry_size || end > bytes.size()) {
                return std::nullopt;
            }
        } else {
            entry.locator = ReadU16(bytes, at + 12);
        }
        entries.push_back(entry);
    }
    return entries;
}

std::optional<std::size_t> ChooseIcon(std::span<const IconEntry> entries, IconRole role) {
    if (entries.empty()) return std::nullopt;
    const int wanted_width = role == IconRole::kBig ? 32 : 16;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].width == wanted_width && entries[i].colour_count >= 16) return i;
    }
    return entries.size() - 1;
}

}  // namespace tz
