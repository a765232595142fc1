#include "resources/icon_art.h"

#include <array>
#include <cstddef>
#include <stdexcept>

// Everything here is integer arithmetic, so the host build and the Windows
// build draw the same bytes (x87 and SSE floating point would not).
namespace tz {
namespace {

// Shape coordinates are in quarter pixels; samples are taken on an 8 x 8 grid
// inside each pixel, at odd sixteenths, so they never sit on a shape's edge.
constexpr int kQuarter = 4;  // sixteenths per design unit
constexpr int kSubPerPixel = 16;
constexpr int kSamples = 8;  // per axis

struct Point {
    int x;
    int y;
};

struct RoundedSquare {
    int left, top, right, bottom, radius;  // design units
};

struct Quad {
    std::array<Point, 4> corners;  // convex, either winding; a triangle repeats a corner
};

struct Art {
    int size;
    RoundedSquare plate;
    std::array<Quad, 3> white;  // main sail, jib, hull
};

constexpr Quad Triangle(Point a, Point b, Point c) { return Quad{{a, b, c, c}}; }
constexpr Point P(int x, int y) { return Point{x * kQuarter, y * kQuarter}; }  // whole pixels

// Each size is fitted to its own pixel grid: at 16 pixels the sails end on
// pixel edges and keep a one-pixel gap, or they would blur into the plate.
constexpr Art kArt48{
    48,
    {4, 4, 188, 188, 40},
    {{
        Triangle(P(25, 7), P(25, 31), P(39, 31)),
        Triangle(P(22, 12), P(22, 31), P(11, 31)),
        Quad{{P(7, 34), P(41, 34), P(35, 40), P(13, 40)}},
    }},
};

constexpr Art kArt16{
    16,
    {0, 0, 64, 64, 12},
    {{
        Triangle(P(8, 2), P(8, 10), P(13, 10)),
        Triangle(P(7, 4), P(7, 10), P(3, 10)),
        Quad{{P(2, 11), P(14, 11), P(12, 13), P(4, 13)}},
    }},
};

struct Rgb {
    int r, g, b;
};
constexpr Rgb kWarmTop{255, 186, 72};    // amber, top left
constexpr Rgb kWarmBottom{222, 62, 52};  // vermilion, bottom right
constexpr Rgb kWhite{255, 255, 255};

// Point p in sixteenths; shapes in design units.
bool Inside(const RoundedSquare& s, Point p) {
    const int left = s.left * kQuarter, top = s.top * kQuarter;
    const int right = s.right * kQuarter, bottom = s.bottom * kQuarter;
    const int r = s.radius * kQuarter;
    if (p.x < left || p.x >= right || p.y < top || p.y >= bottom) return false;
    const int cx = p.x < left + r ? left + r : (p.x > right - r ? right - r : p.x);
    const int cy = p.y < top + r ? top + r : (p.y > bottom - r ? bottom - r : p.y);
    const long long dx = p.x - cx, dy = p.y - cy;
    return dx * dx + dy * dy <= static_cast<long long>(r) * r;
}

bool Inside(const Quad& q, Point p) {
    bool any_positive = false, any_negative = false;
    for (std::size_t i = 0; i < q.corners.size(); ++i) {
        const Point a{q.corners[i].x * kQuarter, q.corners[i].y * kQuarter};
        const Point& next = q.corners[(i + 1) % q.corners.size()];
        const Point b{next.x * kQuarter, next.y * kQuarter};
        const long long cross = static_cast<long long>(b.x - a.x) * (p.y - a.y) -
                                static_cast<long long>(b.y - a.y) * (p.x - a.x);
        if (cross > 0) any_positive = true;
        if (cross < 0) any_negative = true;
    }
    return !(any_positive && any_negative);
}

int Mix(int from, int to, int step, int steps) {
    return from + ((to - from) * step + (to > from ? steps / 2 : -steps / 2)) / steps;
}

// Diagonal gradient sampled at the pixel's centre.
Rgb Plate(int size, int x, int y) {
    const int steps = 2 * (size - 1);
    const int step = x + y;
    return Rgb{Mix(kWarmTop.r, kWarmBottom.r, step, steps),
               Mix(kWarmTop.g, kWarmBottom.g, step, steps),
               Mix(kWarmTop.b, kWarmBottom.b, step, steps)};
}

std::uint8_t Byte(int value) { return static_cast<std::uint8_t>(value); }

IconImage Draw(const Art& art) {
    IconImage image;
    image.size = art.size;
    image.bgra.resize(static_cast<std::size_t>(art.size * art.size) * 4);
    constexpr int kAll = kSamples * kSamples;
    for (int y = 0; y < art.size; ++y) {
        for (int x = 0; x < art.size; ++x) {
            const Rgb plate = Plate(art.size, x, y);
            int covered = 0, r = 0, g = 0, b = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const Point p{x * kSubPerPixel + 2 * sx + 1, y * kSubPerPixel + 2 * sy + 1};
                    if (!Inside(art.plate, p)) continue;
                    bool white = false;
                    for (const Quad& q : art.white) white = white || Inside(q, p);
                    const Rgb& c = white ? kWhite : plate;
                    ++covered;
                    r += c.r;
                    g += c.g;
                    b += c.b;
                }
            }
            const std::size_t at = static_cast<std::size_t>((y * art.size + x) * 4);
            if (covered == 0) continue;  // fully transparent: all four bytes stay 0
            image.bgra[at + 0] = Byte((b + covered / 2) / covered);
            image.bgra[at + 1] = Byte((g + covered / 2) / covered);
            image.bgra[at + 2] = Byte((r + covered / 2) / covered);
            image.bgra[at + 3] = Byte((covered * 255 + kAll / 2) / kAll);
        }
    }
    return image;
}

void PutU16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(Byte(static_cast<int>(value & 0xFFu)));
    out.push_back(Byte(static_cast<int>((value >> 8) & 0xFFu)));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFFu);
    PutU16(out, value >> 16);
}

std::size_t MaskRowBytes(int size) { return static_cast<std::size_t>((size + 31) / 32 * 4); }

std::uint32_t ImageBytes(int size) {
    const auto n = static_cast<std::size_t>(size);
    return static_cast<std::uint32_t>(40 + n * n * 4 + n * MaskRowBytes(size));
}

}  // namespace

IconImage DrawProgramIcon(int size) {
    if (size == 48) return Draw(kArt48);
    if (size == 16) return Draw(kArt16);
    throw std::invalid_argument("the program icon is drawn at 48 and 16 pixels only");
}

std::vector<std::uint8_t> EncodeIconFile(std::span<const IconImage> images) {
    std::vector<std::uint8_t> out;
    PutU16(out, 0);  // reserved
    PutU16(out, 1);  // type: icon
    PutU16(out, static_cast<unsigned>(images.size()));

    auto offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const IconImage& image : images) {
        if (image.size < 1 || image.size > 256 ||
            image.bgra.size() != static_cast<std::size_t>(image.size * image.size) * 4) {
            throw std::invalid_argument("icon image of a bad size");
        }
        const std::uint8_t stored = Byte(image.size == 256 ? 0 : image.size);
        out.push_back(stored);  // width
        out.push_back(stored);  // height
        out.push_back(0);       // colour count: 0 for 32 bits per pixel
        out.push_back(0);       // reserved
        PutU16(out, 1);         // planes
        PutU16(out, 32);        // bits per pixel
        PutU32(out, ImageBytes(image.size));
        PutU32(out, offset);
        offset += ImageBytes(image.size);
    }

    for (const IconImage& image : images) {
        const int n = image.size;
        PutU32(out, 40);                                 // biSize
        PutU32(out, static_cast<std::uint32_t>(n));      // biWidth
        PutU32(out, static_cast<std::uint32_t>(2 * n));  // biHeight: colour and mask
        PutU16(out, 1);                                  // biPlanes
        PutU16(out, 32);                                 // biBitCount
        PutU32(out, 0);                                  // biCompression: BI_RGB
        PutU32(out, ImageBytes(n) - 40);                 // biSizeImage
        for (int i = 0; i < 4; ++i) PutU32(out, 0);      // resolution, palette

        for (int y = n - 1; y >= 0; --y) {
            const auto row = image.bgra.begin() + y * n * 4;
            out.insert(out.end(), row, row + n * 4);
        }
        // Mask for readers that ignore alpha: set bits are see-through.
        for (int y = n - 1; y >= 0; --y) {
            std::vector<std::uint8_t> mask(MaskRowBytes(n), 0);
            for (int x = 0; x < n; ++x) {
                if (image.bgra[static_cast<std::size_t>((y * n + x) * 4 + 3)] == 0) {
                    mask[static_cast<std::size_t>(x / 8)] |= Byte(0x80 >> (x % 8));
                }
            }
            out.insert(out.end(), mask.begin(), mask.end());
        }
    }
    return out;
}

std::vector<std::uint8_t> ProgramIconFile() {
    const std::array<IconImage, 2> images{DrawProgramIcon(48), DrawProgramIcon(16)};
    return EncodeIconFile(images);
}

}  // namespace tz
