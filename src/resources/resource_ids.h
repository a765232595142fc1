// Resource IDs, shared by tangzhou.rc and the C++ code (plain #defines so the
// resource compiler reads them too).
#pragma once

// The program icon: the lowest ID, so the shell shows it for the program file.
#define IDI_PROGRAM 1
