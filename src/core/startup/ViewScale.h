#pragma once

#include <array>
#include <string>

namespace tavrin {

// The view scales the window offers, in percent of its design size; 0 stands for automatic.
inline constexpr std::array<int, 5> ViewScaleChoices{100, 150, 200, 300, 400};

bool IsViewScaleChoice(int percent);

// The choice for a screen of this many physical dots per inch: the largest whose size is
// within a tenth of the screen's density measured against 96 dpi. Densities that no screen
// has (a missing or made-up physical size) give 100.
int AutomaticViewScale(double physicalDotsPerInch);

// The factor to give the toolkit on top of the desktop's own device pixel ratio, so that one
// window pixel becomes percent/100 screen pixels. Automatic (0) never shrinks below what the
// desktop already gives.
double ToolkitScaleFactor(int choice, double physicalDotsPerInch, double desktopRatio);

// The choice a --scale value names: "auto" (0) or one of the percentages, with or without a
// trailing '%'; -1 otherwise.
int ParseViewScale(const std::string& text);

} // namespace tavrin
