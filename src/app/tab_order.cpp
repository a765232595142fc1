#include "app/tab_order.h"

#include <algorithm>

namespace tz {

std::vector<int> TabOrder(std::span<const ControlRecord> controls) {
    std::vector<int> order;
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        const unsigned flags = it->flags;
        if ((flags & kVisible) && (flags & kTabStop) && !(flags & kDisabled)) {
            order.push_back(it->id);
        }
    }
    return order;
}

int NextInTabOrder(std::span<const int> order, int current, bool forward) {
    if (order.empty()) return 0;
    const auto found = std::find(order.begin(), order.end(), current);
    if (found == order.end()) return forward ? order.front() : order.back();
    const auto index = static_cast<std::size_t>(found - order.begin());
    const std::size_t size = order.size();
    return order[forward ? (index + 1) % size : (index + size - 1) % size];
}

}  // namespace tz
