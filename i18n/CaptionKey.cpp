// Caption keys: the leading number of a caption, as language files read their keys.
#include "i18n/CaptionKey.h"

#include "toolkit/NumericEditRules.h"

namespace Zenlo {

std::int32_t captionKey(const WideString& caption) {
    std::int64_t value = leadingInteger(caption);
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<std::int32_t>(value);
}

} // namespace Zenlo
