#include "app/window_layout.h"

#include <array>

#include "app/command_ids.h"

namespace tz {
namespace {

constexpr WindowRecord kWindow{"抖音棠舟--一款多功能加粉软件", 694, 337};

constexpr std::array kMenuItems{
    MenuItemRecord{"菜单", 0, 0},
    MenuItemRecord{"关于本程序", 1, ids::kAbout},
    MenuItemRecord{"官方网站", 1, ids::kWebsite},
    MenuItemRecord{"退出", 1, ids::kExit},
    MenuItemRecord{"开通分站", 0, 0},
    MenuItemRecord{"开通", 1, ids::kOpenSubsite},
    MenuItemRecord{"版本介绍", 1, ids::kEditions},
};

constexpr int Button(int n) { return ids::kButtonBase + n; }
constexpr int Label(int n) { return ids::kLabelBase + n; }

constexpr unsigned kShown = kVisible;
constexpr unsigned kShownTab = kVisible | kTabStop;

// Stored order: the first record is on top of the stacking order.
constexpr std::array kControls{
    ControlRecord{ControlKind::Timer, "时钟1", ids::kClockTimer, {648, 16, 26, 26}, 0, "", 0},
    ControlRecord{ControlKind::StatusBar,
                  "状态条1",
                  ids::kStatusBar,
                  {0, 244, 688, 20},
                  kShown,
                  "服务器正常运行中...",
                  0},
    ControlRecord{ControlKind::Label,
                  "标签4",
                  Label(4),
                  {440, 224, 64, 24},
                  kShown,
                  "官方网站：",
                  kLabelSingleLine},
    ControlRecord{ControlKind::HyperLinker,
                  "超级链接框1",
                  ids::kHyperlink,
                  {504, 224, 104, 24},
                  kShown,
                  "",
                  0},
    ControlRecord{
        ControlKind::Label,
        "标签3",
        Label(3),
        {440, 96, 224, 120},
        kShown,
        "说明：\r\n\r\n1.加入分站享受专属优惠价，还可以轻松赚钱\r\n"
        "2.点击按钮会打开我们的官方网址，打开后直接下单即可，如有问题，可点击在线客服解决。\r\n"
        "3.本站集加粉，刷双击，刷评论，刷播放为一体，轻松助你成网红\r\n",
        kLabelMultiLine},
    ControlRecord{ControlKind::Label,
                  "标签2",
                  Label(2),
                  {8, 24, 336, 24},
                  kShown,
                  "    需要什么业务，请直接点击下面按钮，可官网自助下单",
                  kLabelBorder},
    ControlRecord{
        ControlKind::Button, "按钮12", Button(12), {264, 216, 80, 32}, kShownTab, "全部业务", 0},
    ControlRecord{
        ControlKind::Button, "按钮11", Button(11), {264, 168, 80, 32}, kShownTab, "开通分站", 0},
    ControlRecord{
        ControlKind::Button, "按钮10", Button(10), {264, 120, 80, 32}, kShownTab, "各类直播", 0},
    ControlRecord{
        ControlKind::Button, "按钮9", Button(9), {264, 72, 80, 32}, kShownTab, "小红书业务", 0},
    ControlRecord{
        ControlKind::Button, "按钮8", Button(8), {136, 216, 80, 32}, kShownTab, "微信公众号", 0},
    ControlRecord{
        ControlKind::Button, "按钮7", Button(7), {136, 168, 80, 32}, kShownTab, "火山业务", 0},
    ControlRecord{
        ControlKind::Button, "按钮6", Button(6), {136, 120, 80, 32}, kShownTab, "QQ空间", 0},
    ControlRecord{
        ControlKind::Button, "按钮5", Button(5), {136, 72, 80, 32}, kShownTab, "新浪微博", 0},
    ControlRecord{
        ControlKind::Button, "按钮4", Button(4), {8, 216, 80, 32}, kShownTab, "QQ名片", 0},
    ControlRecord{
        ControlKind::Button, "按钮3", Button(3), {8, 168, 80, 32}, kShownTab, "全面K歌", 0},
    ControlRecord{
        ControlKind::Button, "按钮2", Button(2), {8, 120, 80, 32}, kShownTab, "快手业务", 0},
    ControlRecord{ControlKind::Label,
                  "标签1",
                  Label(1),
                  {440, 24, 80, 24},
                  kShown,
                  "您好，今天是：",
                  kLabelSingleLine},
    ControlRecord{ControlKind::CnCalendar,
                  "农历日期框1",
                  ids::kCalendarBox,
                  {440, 56, 220, 24},
                  kShownTab,
                  "",
                  0},
    ControlRecord{
        ControlKind::Button, "按钮1", Button(1), {8, 72, 80, 32}, kShownTab, "抖音业务", 0},
};

}  // namespace

const WindowRecord& MainWindowRecord() { return kWindow; }
std::span<const MenuItemRecord> MainMenuItems() { return kMenuItems; }
std::span<const ControlRecord> MainControls() { return kControls; }

const ControlRecord* FindControl(int id) {
    for (const ControlRecord& record : kControls) {
        if (record.id == id) return &record;
    }
    return nullptr;
}

std::span<const MenuItemRecord> PopupItemsOf(std::span<const MenuItemRecord> items,
                                             std::size_t index) {
    if (index >= items.size() || items[index].level != 0) return {};
    std::size_t end = index + 1;
    while (end < items.size() && items[end].level > 0) ++end;
    return items.subspan(index + 1, end - index - 1);
}

std::vector<MenuPopup> BuildMenuBar(std::span<const MenuItemRecord> items) {
    std::vector<MenuPopup> popups;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].level == 0) popups.push_back({&items[i], PopupItemsOf(items, i)});
    }
    return popups;
}

Point CentredOrigin(int screenWidth, int screenHeight, int width, int height) {
    return {(screenWidth - width) / 2, (screenHeight - height) / 2};
}

}  // namespace tz
