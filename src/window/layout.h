#pragma once

#include <array>

// Window geometry in twips (1/1440 inch) and its scaling to pixels.
inline constexpr int kTwipsPerInch = 1440;

struct TwipsRect {
    int left, top, width, height;
};

struct PixelRect {
    int left, top, width, height;
    bool operator==(const PixelRect&) const = default;
};

// In creation order, which is also the tab order; each label is created just
// before the box it names, so screen readers take it as the box's name.
enum class Control { Command1, Label1, TxtMsgDisplay, Label2, TxtMsgDisplay2 };

struct ControlSpec {
    Control control;
    TwipsRect twips;
};

inline constexpr TwipsRect kClientTwips{0, 0, 4905, 3495};

inline constexpr std::array<ControlSpec, 5> kControls{{
    {Control::Command1, {90, 3090, 4755, 345}},
    {Control::Label1, {150, 180, 3165, 225}},
    {Control::TxtMsgDisplay, {90, 420, 4725, 975}},
    {Control::Label2, {120, 1680, 3165, 225}},
    {Control::TxtMsgDisplay2, {90, 1920, 4725, 975}},
}};

// Rounds like MulDiv(twips, dpi, 1440).
int TwipsToPixels(int twips, int dpi);

// Scales the edges, not the sizes, so that neighbours that meet in twips
// still meet in pixels at every DPI.
PixelRect ToPixels(const TwipsRect& twips, int dpi);
