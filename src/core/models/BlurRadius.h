#pragma once

// A blur radius setting as the window system takes it: a whole number, 0 for none (negative and
// not-a-number radii included), never beyond the 32-bit range.
int blurRadiusForWindow(double radius);
