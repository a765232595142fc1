#include "resources/icon_art.h"

#include "source_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t U32(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16 |
                                      b.at(at + 3) << 24);
}
unsigned U16(const Bytes& b, std::size_t at) { return b.at(at) | b.at(at + 1) << 8; }

TEST(IconArt, CommittedIconFileIsWhatTheCodeDraws) {
    const Bytes committed = tz::test::ReadSourceFile("src/resources/tangzhou.ico");
    ASSERT_FALSE(committed.empty()) << "src/resources/tangzhou.ico not readable";
    EXPECT_EQ(committed.size(), 10806u);
    EXPECT_TRUE(committed == tz::ProgramIconFile())
        << "tangzhou.ico is stale: rebuild it with make_icon src/resources/tangzhou.ico";
}

// Reads the file back as a Windows icon reader would and compares every
// pixel and mask bit with the drawn artwork.
TEST(IconArt, FileLayoutMatchesTheDrawnImages) {
    const Bytes file = tz::ProgramIconFile();
    ASSERT_EQ(file.size(), 10806u);
    ASSERT_EQ(U16(file, 0), 0u);
    ASSERT_EQ(U16(file, 2), 1u);
    ASSERT_EQ(U16(file, 4), 2u);

    const int sizes[] = {48, 16};
    for (int i = 0; i < 2; ++i) {
        const int n = sizes[i];
        SCOPED_TRACE("image " + std::to_string(n));
        const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
        EXPECT_EQ(file[entry], n);
        EXPECT_EQ(file[entry + 1], n);
        EXPECT_EQ(file[entry + 2], 0);  // colour count
        EXPECT_EQ(U16(file, entry + 4), 1u);
        EXPECT_EQ(U16(file, entry + 6), 32u);
        const std::size_t mask_row = static_cast<std::size_t>((n + 31) / 32 * 4);
        const std::size_t un = static_cast<std::size_t>(n);
        EXPECT_EQ(U32(file, entry + 8), 40 + un * un * 4 + un * mask_row);
        const std::size_t at = U32(file, entry + 12);

        EXPECT_EQ(U32(file, at), 40u);
        EXPECT_EQ(U32(file, at + 4), un);
        EXPECT_EQ(U32(file, at + 8), 2 * un);  // colour rows and mask rows
        EXPECT_EQ(U16(file, at + 12), 1u);
        EXPECT_EQ(U16(file, at + 14), 32u);
        EXPECT_EQ(U32(file, at + 16), 0u);  // BI_RGB

        const tz::IconImage drawn = tz::DrawProgramIcon(n);
        const std::size_t pixels = at + 40;
        const std::size_t mask = pixels + un * un * 4;
        int mismatches = 0;
        for (std::size_t y = 0; y < un; ++y) {
            const std::size_t file_row = un - 1 - y;  // bottom-up
            for (std::size_t x = 0; x < un; ++x) {
                for (std::size_t c = 0; c < 4; ++c) {
                    if (file[pixels + (file_row * un + x) * 4 + c] !=
                        drawn.bgra[(y * un + x) * 4 + c])
                        ++mismatches;
                }
                const bool see_through =
                    file[mask + file_row * mask_row + x / 8] & (0x80 >> (x % 8));
                if (see_through != (drawn.bgra[(y * un + x) * 4 + 3] == 0)) ++mismatches;
            }
            for (std::size_t x = un; x < mask_row * 8; ++x) {  // padding bits stay clear
                if (file[mask + file_row * mask_row + x / 8] & (0x80 >> (x % 8))) ++mismatches;
            }
        }
        EXPECT_EQ(mismatches, 0);
    }
}

// Guards against the artwork going blank, opaque or colour-swapped.
TEST(IconArt, TransparentCornersWarmPlateWhiteSail) {
    struct Case {
        int size;
        int plate_x, plate_y;  // inside the plate, away from the boat
        int sail_x, sail_y;    // inside the main sail
    } cases[] = {{48, 8, 24, 28, 26}, {16, 2, 6, 9, 8}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        const tz::IconImage image = tz::DrawProgramIcon(c.size);
        ASSERT_EQ(image.bgra.size(), static_cast<std::size_t>(c.size * c.size * 4));
        auto px = [&](int x, int y, int channel) {
            return image.bgra[static_cast<std::size_t>((y * c.size + x) * 4 + channel)];
        };
        for (int corner : {0, c.size - 1}) {
            EXPECT_LT(px(corner, corner, 3), 64);
            EXPECT_LT(px(corner, c.size - 1 - corner, 3), 64);
        }
        EXPECT_EQ(px(c.plate_x, c.plate_y, 3), 255);
        EXPECT_GT(px(c.plate_x, c.plate_y, 2), px(c.plate_x, c.plate_y, 0) + 100);  // red >> blue
        for (int channel = 0; channel < 4; ++channel)
            EXPECT_EQ(px(c.sail_x, c.sail_y, channel), 255);
    }
    EXPECT_THROW(tz::DrawProgramIcon(32), std::invalid_argument);
}

}  // namespace
