// The program's two notices, shown in a message box captioned kNoticeCaption.
#pragma once

namespace tz {

inline constexpr const char* kNoticeCaption = "信息：";
inline constexpr const char* kAboutNotice = "欢迎使用本软件，软件版本V3.2";
inline constexpr const char* kEditionsNotice =
    "目前有两个版本，普及版和专业版，专业版拿货价更低，用户可搭建下级分站，这样就可以赚提成，"
    "还送跟官方一样的电脑软件";

}  // namespace tz
