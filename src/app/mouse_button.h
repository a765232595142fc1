#pragma once

namespace tz {

enum class MouseButton { Left, Right, Middle };

}  // namespace tz
