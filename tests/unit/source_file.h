// Reads a file of the source tree in the unit tests, on the host and under
// Wine alike.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tz::test {

// Empty when the file cannot be read.
inline std::vector<std::uint8_t> ReadSourceFile(const std::string& relative) {
    const std::string path = std::string(TZ_SOURCE_DIR) + "/" + relative;
    std::ifstream in(path, std::ios::binary);
#ifdef _WIN32
    // Under Wine a Unix path resolves against the current drive, which is Z:
    // only when the test was started from outside the prefix.
    if (!in) in.open("Z:" + path, std::ios::binary);
#endif
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace tz::test
