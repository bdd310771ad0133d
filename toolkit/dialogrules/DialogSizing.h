// Size limits of a resizable dialog driven by a layout, and the input box's starting limits.
#pragma once

#include <climits>

#include "toolkit/dialogrules/LayoutHost.h"

namespace Zenlo {

// The smallest and largest window sizes the user can drag to (outer sizes, in pixels).
// A minimum of -1 means none.
struct TrackSizes {
    int minimumWidth = -1;
    int minimumHeight = -1;
    int maximumWidth = INT_MAX;
    int maximumHeight = INT_MAX;

    bool hasMinimum() const { return minimumWidth != -1 && minimumHeight != -1; }
    bool operator==(const TrackSizes&) const = default;
};

// The window size a layout needs: its minimum plus the frame on both sides and, in height, the
// caption bar.
Extent layoutWindowMinimum(Extent layoutMinimum, int frameWidth, int captionHeight);

// Raises the minimum track size to the given window size where it is smaller (or unset).
void raiseMinimumTrack(TrackSizes& limits, Extent minimum);

// First step of applying the limits: a maximum below its minimum is raised to it.
void raiseMaximumToMinimum(TrackSizes& limits);

// Whether the limits leave the window a single size (minimum equals maximum both ways).
bool isFixedSize(const TrackSizes& limits);

// The window size clamped into [minimum, maximum] on both axes (an unset minimum is no bound).
Extent clampWindowSize(Extent size, const TrackSizes& limits);

// The input box's limits before it is fixed in height: the minimum width is at least 250 and
// at least what the layout needs; the minimum height is the layout's need (0 when it has none).
TrackSizes inputBoxTrackSizes(TrackSizes limits, Extent layoutWindowMinimum);

// The input box can then change width only: its height limits become the current height.
TrackSizes fixHeight(TrackSizes limits, int currentHeight);

constexpr int inputBoxMinimumWidth = 250;

} // namespace Zenlo
