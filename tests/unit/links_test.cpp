#include <gtest/gtest.h>

#include "app/command_ids.h"
#include "links/hyperlink_state.h"
#include "links/storefront_links.h"

namespace tz {
namespace {

TEST(StorefrontLinks, EveryButtonAndMenuItemOpensItsAddress) {
    struct Case {
        int id;
        bool command;
        const char* address;
    };
    const Case cases[] = {
        {ids::kButtonBase + 1, false, "http://www.example.com/?cid=1"},
        {ids::kButtonBase + 2, false, "http://www.example.com/?cid=4"},
        {ids::kButtonBase + 3, false, "http://www.example.com/?cid=9"},
        {ids::kButtonBase + 4, false, "http://www.example.com/?cid=2"},
        {ids::kButtonBase + 5, false, "http://www.example.com/?cid=11"},
        {ids::kButtonBase + 6, false, "http://www.example.com/?cid=8"},
        {ids::kButtonBase + 7, false, "http://www.example.com/?cid=5"},
        {ids::kButtonBase + 8, false, "http://www.example.com/?cid=15"},
        {ids::kButtonBase + 9, false, "http://www.example.com/?cid=6"},
        {ids::kButtonBase + 10, false, "http://www.example.com/?cid=7"},
        {ids::kButtonBase + 11, false, "http://www.example.com/user/reg.php"},
        {ids::kButtonBase + 12, false, "http://www.example.com/"},
        {ids::kOpenSubsite, true, "http://www.example.com/user/reg.php"},
        {ids::kWebsite, true, "http://www.example.com"},
    };
    for (const Case& c : cases) {
        const auto address = c.command ? AddressForCommand(c.id) : AddressForControl(c.id);
        ASSERT_TRUE(address.has_value()) << c.id;
        EXPECT_EQ(*address, c.address) << c.id;
    }
    EXPECT_FALSE(AddressForControl(ids::kHyperlink).has_value());
    EXPECT_FALSE(AddressForControl(ids::kButtonBase + 13).has_value());
    EXPECT_FALSE(AddressForCommand(ids::kAbout).has_value());
    EXPECT_FALSE(AddressForCommand(ids::kExit).has_value());
    EXPECT_EQ(StorefrontHomeAddress(), "http://www.example.com");
}

TEST(StorefrontLinks, HostNameCheck) {
    for (const char* good : {"www.example.com", "localhost", "a-b.c1.d", "x"}) {
        EXPECT_TRUE(IsPlainHostName(good)) << good;
    }
    for (const char* bad : {"", "http://x.com", "x.com/", "x.com:80", "-x.com", "x-.com", "x..com",
                            ".x.com", "x.com.", "x com", "x.com/path", "ü.com"}) {
        EXPECT_FALSE(IsPlainHostName(bad)) << bad;
    }
}

TEST(HyperlinkState, HoverThenLeaveAfterASuccessfulOpening) {
    HyperlinkState link;
    EXPECT_EQ(link.TextColour(), kLinkNormalColour);
    EXPECT_EQ(link.OnPointerMove(true), HoverAction::StartHover);
    EXPECT_EQ(link.TextColour(), kLinkHoverColour);
    EXPECT_EQ(link.OnPointerMove(true), HoverAction::KeepCapture);
    EXPECT_TRUE(link.OnOpened(true));
    EXPECT_EQ(link.TextColour(), kLinkHoverColour);  // still under the pointer
    EXPECT_EQ(link.OnPointerMove(false), HoverAction::EndHover);
    EXPECT_EQ(link.TextColour(), kLinkVisitedColour);
    EXPECT_EQ(link.OnPointerMove(false), HoverAction::None);
}

TEST(HyperlinkState, AFailedOpeningShowsTheNormalColourAgain) {
    HyperlinkState link;
    link.OnPointerMove(true);
    link.OnOpened(true);
    EXPECT_FALSE(link.OnOpened(false));
    link.OnPointerMove(false);
    EXPECT_FALSE(link.visited());
    EXPECT_EQ(link.TextColour(), kLinkNormalColour);
}

TEST(HyperlinkState, OnlyASingleLeftPressOpens) {
    EXPECT_EQ(HyperlinkState::OnButtonDown(MouseButton::Left, false), PressAction::Open);
    EXPECT_EQ(HyperlinkState::OnButtonDown(MouseButton::Left, true), PressAction::None);
    EXPECT_EQ(HyperlinkState::OnButtonDown(MouseButton::Right, false), PressAction::None);
    EXPECT_EQ(HyperlinkState::OnButtonDown(MouseButton::Middle, false), PressAction::None);
}

}  // namespace
}  // namespace tz
