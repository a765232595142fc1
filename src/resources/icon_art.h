// The program's icon, drawn in code: a warm rounded square with a white
// sailing boat. The committed tangzhou.ico is what ProgramIconFile() returns
// (tools/make_icon writes it).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tz {

// Square image, straight (not premultiplied) alpha, B G R A per pixel, top
// row first.
struct IconImage {
    int size = 0;
    std::vector<std::uint8_t> bgra;
};

// The artwork at 48 or 16 pixels (each size has its own pixel-fitted shapes).
IconImage DrawProgramIcon(int size);

// An .ico file of 32-bit images in the given order: BITMAPINFOHEADER with
// doubled height, pixels bottom-up, then the AND mask (set where alpha is 0)
// with rows padded to 32 bits.
std::vector<std::uint8_t> EncodeIconFile(std::span<const IconImage> images);

// The program's icon file: the 48 x 48 image, then the 16 x 16 one.
std::vector<std::uint8_t> ProgramIconFile();

}  // namespace tz
