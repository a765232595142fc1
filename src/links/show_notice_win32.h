#pragma once

namespace tz {

// A task-modal message box with no owner: while it is open no window of the
// program takes input, and the program's timer keeps running.
void ShowNotice(const char* text);

}  // namespace tz
