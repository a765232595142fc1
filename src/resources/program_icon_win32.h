// The program icon for the window and the tray, loaded from our resources.
#pragma once

#include <windows.h>

#include "app/handle_win32.h"
#include "resources/icon_directory.h"

namespace tz {

// The image that the icon choice picks from the program's icon group for the
// given role, at its own size. With our icon file both roles give the 16 x 16
// image. Empty when the resources are missing or malformed.
UniqueIcon LoadProgramIcon(HINSTANCE instance, IconRole role = IconRole::kSmall);

}  // namespace tz
