// Size-limit arithmetic of layout-driven dialogs, kept free of windows so it is tested headless.
#include "toolkit/dialogrules/DialogSizing.h"

#include <algorithm>

namespace Zenlo {

Extent layoutWindowMinimum(Extent layoutMinimum, int frameWidth, int captionHeight) {
    // The frame width also serves as the frame height, as the system metrics pair them.
    return {2 * frameWidth + layoutMinimum.width,
            captionHeight + layoutMinimum.height + 2 * frameWidth};
}

void raiseMinimumTrack(TrackSizes& limits, Extent minimum) {
    limits.minimumWidth = std::max(limits.minimumWidth, minimum.width);
    limits.minimumHeight = std::max(limits.minimumHeight, minimum.height);
}

void raiseMaximumToMinimum(TrackSizes& limits) {
    limits.maximumWidth = std::max(limits.maximumWidth, limits.minimumWidth);
    limits.maximumHeight = std::max(limits.maximumHeight, limits.minimumHeight);
}

bool isFixedSize(const TrackSizes& limits) {
    return limits.minimumWidth == limits.maximumWidth &&
           limits.minimumHeight == limits.maximumHeight;
}

Extent clampWindowSize(Extent size, const TrackSizes& limits) {
    auto clamp = [](int value, int minimum, int maximum) {
        return std::min(std::max(value, minimum), maximum);
    };
    return {clamp(size.width, limits.minimumWidth, limits.maximumWidth),
            clamp(size.height, limits.minimumHeight, limits.maximumHeight)};
}

TrackSizes inputBoxTrackSizes(TrackSizes limits, Extent layoutWindowMinimum) {
    limits.minimumWidth = std::max(inputBoxMinimumWidth, layoutWindowMinimum.width);
    limits.minimumHeight = layoutWindowMinimum.height > 0 ? layoutWindowMinimum.height : 0;
    return limits;
}

TrackSizes fixHeight(TrackSizes limits, int currentHeight) {
    limits.minimumHeight = currentHeight;
    limits.maximumHeight = currentHeight;
    return limits;
}

} // namespace Zenlo
