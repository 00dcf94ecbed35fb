#pragma once
// How far a band moved between rows of a rebar resizes the window that holds the rebar:
// by the change of the bar's height, a growth kept inside the work area of the window's
// monitor. Pure arithmetic in screen co-ordinates.

// The window's new height when its bar grows or shrinks by `barChange` pixels. A growth stops
// at the work area's bottom but never makes the window smaller than it is; a shrink that
// would leave nothing of the window keeps its height.
int WindowHeightForBarChange(int windowHeight, int barChange, int windowTop, int workAreaBottom);
