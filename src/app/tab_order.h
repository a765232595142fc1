// Keyboard focus order of the main window.
#pragma once

#include <span>
#include <vector>

#include "app/window_layout.h"

namespace tz {

// The visible, enabled tab-stop controls, from the last record to the first.
std::vector<int> TabOrder(std::span<const ControlRecord> controls);

// The control that Tab (forward) or Shift+Tab gets to from `current`,
// wrapping at both ends. From a control outside the order, Tab goes to the
// first and Shift+Tab to the last. 0 when the order is empty.
int NextInTabOrder(std::span<const int> order, int current, bool forward);

}  // namespace tz
