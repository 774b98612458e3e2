#include <gtest/gtest.h>

#include "window/layout.h"

namespace {

PixelRect At(Control control, int dpi) {
    for (const ControlSpec& entry : kControls) {
        if (entry.control == control) return ToPixels(entry.twips, dpi);
    }
    ADD_FAILURE() << "no such control";
    return {};
}

TEST(Layout, PixelsAt96DpiMatchTheTable) {
    EXPECT_EQ(At(Control::Label1, 96), (PixelRect{10, 12, 211, 15}));
    EXPECT_EQ(At(Control::TxtMsgDisplay, 96), (PixelRect{6, 28, 315, 65}));
    EXPECT_EQ(At(Control::Label2, 96), (PixelRect{8, 112, 211, 15}));
    EXPECT_EQ(At(Control::TxtMsgDisplay2, 96), (PixelRect{6, 128, 315, 65}));
    EXPECT_EQ(At(Control::Command1, 96), (PixelRect{6, 206, 317, 23}));
    EXPECT_EQ(ToPixels(kClientTwips, 96), (PixelRect{0, 0, 327, 233}));
}

TEST(Layout, EdgesScaleWithoutGapsOrOverlapAtEveryDpi) {
    for (int dpi : {96, 120, 144, 168, 192, 240, 288}) {
        SCOPED_TRACE(dpi);
        const PixelRect client = ToPixels(kClientTwips, dpi);
        const PixelRect button = At(Control::Command1, dpi);
        // The button keeps 60 twips free to its right and below it.
        EXPECT_EQ(client.width - (button.left + button.width), TwipsToPixels(60, dpi));
        EXPECT_EQ(client.height - (button.top + button.height), TwipsToPixels(60, dpi));
        // Boxes and labels stack top to bottom without overlapping.
        const Control order[] = {Control::Label1, Control::TxtMsgDisplay, Control::Label2, Control::TxtMsgDisplay2,
                                 Control::Command1};
        for (std::size_t i = 1; i < std::size(order); ++i) {
            const PixelRect above = At(order[i - 1], dpi);
            EXPECT_LE(above.top + above.height, At(order[i], dpi).top);
        }
    }
    EXPECT_EQ(ToPixels(kClientTwips, 144), (PixelRect{0, 0, 491, 350}));
}

TEST(Layout, RoundsHalfAwayFromZeroLikeMulDiv) {
    EXPECT_EQ(TwipsToPixels(15, 96), 1);
    EXPECT_EQ(TwipsToPixels(7, 96), 0);        // 0.47
    EXPECT_EQ(TwipsToPixels(1695, 120), 141);  // 141.25
    EXPECT_EQ(TwipsToPixels(30, 72), 2);       // 1.5 rounds up
}

}  // namespace
