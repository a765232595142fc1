// The program's version, the one place it is written down. tangzhou.rc builds
// the version block from it; the manifest carries the same four numbers.
#pragma once

#define TZ_VERSION_MAJOR 3
#define TZ_VERSION_MINOR 2
#define TZ_VERSION_PATCH 0
#define TZ_VERSION_BUILD 0

#define TZ_VERSION_STRINGIZE_(text) #text
#define TZ_VERSION_STRINGIZE(text) TZ_VERSION_STRINGIZE_(text)

// "3.2.0.0"
// clang-format off
#define TZ_VERSION_TEXT                                                     \
    TZ_VERSION_STRINGIZE(TZ_VERSION_MAJOR) "." TZ_VERSION_STRINGIZE(TZ_VERSION_MINOR) "." \
    TZ_VERSION_STRINGIZE(TZ_VERSION_PATCH) "." TZ_VERSION_STRINGIZE(TZ_VERSION_BUILD)
// clang-format on
