// Progress arithmetic: rounding to the nearest percent, held inside the bars' range.
#include "app/ProgressMath.h"

namespace Zenlo {

double progressFactor(std::uint64_t size) {
    return size == 0 ? 0.0 : static_cast<double>(progressRange) / static_cast<double>(size);
}

int progressPosition(std::uint64_t count, double factor) {
    double position = static_cast<double>(count) * factor + 0.5;
    // Cut before converting: a double beyond int's range has no defined int value.
    if (!(position > 0.0)) return 0;
    if (position >= progressRange) return progressRange;
    return static_cast<int>(position);
}

} // namespace Zenlo
