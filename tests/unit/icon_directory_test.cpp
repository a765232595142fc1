#include "resources/icon_directory.h"

#include "source_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using tz::ChooseIcon;
using tz::IconDirectoryForm;
using tz::IconEntry;
using tz::IconRole;
using tz::ParseIconDirectory;
using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, unsigned v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

struct Raw {
    std::uint8_t width, colours;
    std::uint32_t bytes, locator;
};

// A directory in either form; `padding` bytes follow as stand-in image data.
Bytes Directory(IconDirectoryForm form, std::vector<Raw> entries, std::size_t padding = 0,
                unsigned reserved = 0, unsigned type = 1) {
    Bytes b;
    Put16(b, reserved);
    Put16(b, type);
    Put16(b, static_cast<unsigned>(entries.size()));
    for (const Raw& e : entries) {
        b.insert(b.end(), {e.width, e.width, e.colours, 0});
        Put16(b, 1);
        Put16(b, 32);
        Put32(b, e.bytes);
        if (form == IconDirectoryForm::kFile) {
            Put32(b, e.locator);
        } else {
            Put16(b, e.locator);
        }
    }
    b.resize(b.size() + padding, 0xAA);
    return b;
}

constexpr auto kFile = IconDirectoryForm::kFile;
constexpr auto kResource = IconDirectoryForm::kResource;

TEST(IconDirectory, RejectsMalformedDirectories) {
    // Two file entries end at 38; images of 4 bytes each at 38 and 42.
    const Raw a{16, 0, 4, 38}, b{32, 0, 4, 42};
    Bytes truncated = Directory(kFile, {a, b}, 8);
    truncated.resize(6 + 16 + 15);
    Bytes header_only = Directory(kFile, {a}, 0);
    header_only.resize(5);
    Bytes group_cut = Directory(kResource, {a, b});
    group_cut.pop_back();

    struct Case {
        const char* name;
        Bytes bytes;
        IconDirectoryForm form;
    } cases[] = {
        {"empty", {}, kFile},
        {"shorter than the header", header_only, kFile},
        {"reserved not 0", Directory(kFile, {a, b}, 8, 1), kFile},
        {"cursor, not icon", Directory(kFile, {a, b}, 8, 0, 2), kFile},
        {"no entries", Directory(kFile, {}, 8), kFile},
        {"second entry cut short", truncated, kFile},
        {"resource entries cut short", group_cut, kResource},
        {"image runs past the end", Directory(kFile, {a, {32, 0, 5, 42}}, 8), kFile},
        {"image starts past the end", Directory(kFile, {a, {32, 0, 0, 47}}, 8), kFile},
        {"offset + size wraps 32 bits", Directory(kFile, {a, {32, 0, 0x20, 0xFFFFFFF0}}, 8), kFile},
        {"image inside the directory", Directory(kFile, {a, {32, 0, 4, 6}}, 8), kFile},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(ParseIconDirectory(c.bytes, c.form).has_value()) << c.name;
    }
}

TEST(IconDirectory, ReadsBothForms) {
    const auto file =
        ParseIconDirectory(Directory(kFile, {{0, 0, 4, 38}, {16, 16, 4, 42}}, 8), kFile);
    ASSERT_TRUE(file.has_value());
    ASSERT_EQ(file->size(), 2u);
    EXPECT_EQ((*file)[0].width, 256);  // a stored 0 means 256
    EXPECT_EQ((*file)[0].locator, 38u);
    EXPECT_EQ((*file)[1].width, 16);
    EXPECT_EQ((*file)[1].height, 16);
    EXPECT_EQ((*file)[1].colour_count, 16);
    EXPECT_EQ((*file)[1].planes, 1);
    EXPECT_EQ((*file)[1].bit_count, 32);
    EXPECT_EQ((*file)[1].bytes, 4u);
    EXPECT_EQ((*file)[1].locator, 42u);

    // Resource form: 14-byte entries ending in the image's resource ID; no
    // image data follows, and sizes are not checked against anything.
    const auto group =
        ParseIconDirectory(Directory(kResource, {{48, 0, 9640, 1}, {16, 0, 1128, 2}}), kResource);
    ASSERT_TRUE(group.has_value());
    ASSERT_EQ(group->size(), 2u);
    EXPECT_EQ((*group)[0].width, 48);
    EXPECT_EQ((*group)[0].bytes, 9640u);
    EXPECT_EQ((*group)[1].locator, 2u);
}

TEST(IconDirectory, ChoosesByWidthAndColoursElseLast) {
    auto entry = [](int width, int colours) {
        IconEntry e;
        e.width = e.height = width;
        e.colour_count = colours;
        return e;
    };
    struct Case {
        const char* name;
        std::vector<IconEntry> entries;
        std::size_t big, small;
    } cases[] = {
        {"ours: 48 and 16, 32-bit", {entry(48, 0), entry(16, 0)}, 1, 1},
        {"16-colour 32 and 16", {entry(16, 16), entry(32, 16)}, 1, 0},
        {"first match wins", {entry(32, 0), entry(32, 16), entry(32, 255)}, 1, 2},
        {"15 colours are too few", {entry(32, 15), entry(16, 15), entry(48, 16)}, 2, 2},
        {"one entry", {entry(64, 0)}, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseIcon(c.entries, IconRole::kBig), c.big) << c.name;
        EXPECT_EQ(ChooseIcon(c.entries, IconRole::kSmall), c.small) << c.name;
    }
    EXPECT_FALSE(ChooseIcon({}, IconRole::kSmall).has_value());
}

TEST(IconDirectory, OurIconFileGivesTheSmallImageForBothIcons) {
    const Bytes bytes = tz::test::ReadSourceFile("src/resources/tangzhou.ico");
    ASSERT_FALSE(bytes.empty()) << "src/resources/tangzhou.ico not readable";
    const auto entries = ParseIconDirectory(bytes, kFile);
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), 2u);
    EXPECT_EQ((*entries)[0].width, 48);
    EXPECT_EQ((*entries)[1].width, 16);
    for (const IconEntry& e : *entries) {
        EXPECT_EQ(e.colour_count, 0);
        EXPECT_EQ(e.planes, 1);
        EXPECT_EQ(e.bit_count, 32);
    }
    EXPECT_EQ(ChooseIcon(*entries, IconRole::kBig), 1u);
    EXPECT_EQ(ChooseIcon(*entries, IconRole::kSmall), 1u);
}

}  // namespace
