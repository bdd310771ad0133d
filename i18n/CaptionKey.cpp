// Caption keys: the leading number of a caption, read as language files read their keys.
#include "i18n/CaptionKey.h"

#include "i18n/LanguageFileText.h"

namespace Zenlo {

std::int32_t captionKey(const WideString& caption) {
    return parseLanguageKey(caption.view());
}

} // namespace Zenlo
