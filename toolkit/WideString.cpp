// The string's storage rule (small powers of two, then steps of 1024, never shrinking) and its
// search, edit and case rules.
#include "toolkit/WideString.h"

#include <algorithm>
#include <cstring>

#include "toolkit/TextEncoding.h"

namespace Zenlo {

namespace {

template <class CharT> std::uint32_t textLength(const CharT* text) {
    if (!text) return 0;
    std::uint32_t n = 0;
    while (text[n])
        ++n;
    return n;
}

template <class CharT> bool inSet(const CharT* set, std::uint32_t count, CharT c) {
    for (std::uint32_t i = 0; i < count; ++i)
        if (set[i] == c) return true;
    return false;
}

// A fresh string of exactly these characters, zero characters included.
template <class S, class CharT> S exactCopy(const CharT* text, std::size_t count) {
    S result;
    result.append(text, static_cast<typename S::Size>(count));
    return result;
}

} // namespace

template <class C, class T> const C* StringImpl<C, T>::emptyText() {
    static const C empty[1] = {0};
    return empty;
}

template <class C, class T> auto StringImpl<C, T>::roundedCapacity(Size n) -> Size {
    if (n >= growthStep) return (n / growthStep + 1) * growthStep;
    Size capacity = smallestStorage;
    while (capacity <= n)
        capacity *= 2;
    return capacity;
}

template <class C, class T> void StringImpl<C, T>::adopt(C* buffer, Size capacity, Size length) {
    delete[] buffer_;
    buffer_ = buffer;
    capacity_ = capacity;
    length_ = length;
    buffer_[length_] = 0;
}

// Room for n characters plus the terminator.
template <class C, class T> void StringImpl<C, T>::ensureRoom(Size n) {
    if (capacity_ > n) return;
    const Size capacity = roundedCapacity(n);
    C* buffer = new C[capacity];
    if (length_) std::memcpy(buffer, buffer_, length_ * sizeof(C));
    adopt(buffer, capacity, length_);
}

template <class C, class T> StringImpl<C, T>::StringImpl(C character) {
    if (character) append(character);
}

template <class C, class T> StringImpl<C, T>::StringImpl(const C* text) : StringImpl(text, npos) {}

template <class C, class T> StringImpl<C, T>::StringImpl(const C* text, Size count) {
    Size n = textLength(text);
    append(text, std::min(n, count));
}

template <class C, class T> StringImpl<C, T>::StringImpl(const StringImpl& other) {
    if (other.length_ == 0) return;
    adopt(new C[roundedCapacity(other.length_)], roundedCapacity(other.length_), other.length_);
    std::memcpy(buffer_, other.buffer_, length_ * sizeof(C));
}

template <class C, class T> StringImpl<C, T>::StringImpl(StringImpl&& other) noexcept {
    *this = std::move(other);
}

template <class C, class T> StringImpl<C, T>::~StringImpl() {
    delete[] buffer_;
}

template <class C, class T> StringImpl<C, T>& StringImpl<C, T>::operator=(const StringImpl& other) {
    if (this == &other) return *this;
    if (other.length_ == 0) {
        length_ = 0;
        if (buffer_) buffer_[0] = 0;
        return *this;
    }
    C* buffer = new C[other.capacity_];
    std::memcpy(buffer, other.buffer_, other.length_ * sizeof(C));
    adopt(buffer, other.capacity_, other.length_);
    return *this;
}

template <class C, class T>
StringImpl<C, T>& StringImpl<C, T>::operator=(StringImpl&& other) noexcept {
    if (this == &other) return *this;
    delete[] buffer_;
    buffer_ = std::exchange(other.buffer_, nullptr);
    capacity_ = std::exchange(other.capacity_, 0);
    length_ = std::exchange(other.length_, 0);
    return *this;
}

template <class C, class T> StringImpl<C, T>& StringImpl<C, T>::assign(const C* text) {
    if (!text) return *this;
    StringImpl copy(text);
    length_ = 0;
    if (buffer_) buffer_[0] = 0;
    return append(copy);
}

template <class C, class T>
StringImpl<C, T>& StringImpl<C, T>::assignFormatted(const C* pattern, const FormatArg* args,
                                                    std::size_t count) {
    auto text = formatText(pattern, args, count);
    Size n = static_cast<Size>(text.size());
    // The old contents are overwritten: dropped first, so a too-small buffer is replaced without
    // copying them.
    length_ = 0;
    ensureRoom(n);
    if (n) std::memcpy(buffer_, text.data(), n * sizeof(C));
    length_ = n;
    buffer_[n] = 0;
    return *this;
}

template <class C, class T> void StringImpl<C, T>::resize(Size n) {
    Size cleared = std::max(length_, n);
    ensureRoom(cleared);
    std::fill(buffer_, buffer_ + cleared, C(0));
    length_ = n;
    buffer_[n] = 0;
}

template <class C, class T> StringImpl<C, T>& StringImpl<C, T>::append(const StringImpl& other) {
    if (this == &other) {
        StringImpl copy(other);
        return append(copy.buffer_, copy.length_);
    }
    return append(other.buffer_, other.length_);
}

template <class C, class T> StringImpl<C, T>& StringImpl<C, T>::append(const C* text) {
    return append(text, textLength(text));
}

template <class C, class T> StringImpl<C, T>& StringImpl<C, T>::append(const C* text, Size count) {
    if (!text || count == 0) return *this;
    ensureRoom(length_ + count);
    std::memmove(buffer_ + length_, text, count * sizeof(C));
    length_ += count;
    buffer_[length_] = 0;
    return *this;
}

template <class C, class T> StringImpl<C, T>& StringImpl<C, T>::append(C character) {
    if (!character) return *this;
    return append(&character, 1);
}

template <class C, class T>
void StringImpl<C, T>::insert(Size position, const StringImpl& other, Size start, Size count) {
    if (position > length_ || start > other.length_ || count == 0) return;
    count = std::min(count, other.length_ - start);
    if (count == 0) return;
    // Copied first: the source may be this string.
    StringImpl piece = exactCopy<StringImpl>(other.buffer_ + start, count);
    ensureRoom(length_ + count);
    std::memmove(buffer_ + position + count, buffer_ + position, (length_ - position) * sizeof(C));
    std::memcpy(buffer_ + position, piece.buffer_, count * sizeof(C));
    length_ += count;
    buffer_[length_] = 0;
}

template <class C, class T>
void StringImpl<C, T>::insert(Size position, const C* text, Size count) {
    if (position >= length_ || count == 0 || !text) return;
    StringImpl piece(text, count);
    insert(position, piece, 0, piece.length_);
}

template <class C, class T> void StringImpl<C, T>::erase(Size position, Size count) {
    if (count == 0 || position > length_) return;
    count = std::min(count, length_ - position);
    if (count == 0) return; // also a string without storage: no null pointer for memmove
    std::memmove(buffer_ + position, buffer_ + position + count,
                 (length_ - position - count) * sizeof(C));
    length_ -= count;
    if (buffer_) buffer_[length_] = 0;
}

template <class C, class T> StringImpl<C, T> StringImpl<C, T>::left(Size n) const {
    if (!buffer_) return {};
    return exactCopy<StringImpl>(buffer_, std::min(n, length_));
}

template <class C, class T> StringImpl<C, T> StringImpl<C, T>::right(Size n) const {
    if (!buffer_) return {};
    n = std::min(n, length_);
    return exactCopy<StringImpl>(buffer_ + length_ - n, n);
}

template <class C, class T>
StringImpl<C, T> StringImpl<C, T>::substr(Size position, Size count) const {
    if (count == 0 || position >= length_) return {};
    return exactCopy<StringImpl>(buffer_ + position, std::min(count, length_ - position));
}

template <class C, class T> auto StringImpl<C, T>::find(C character, Size start) const -> Size {
    if (!character || start >= length_) return npos;
    for (Size i = start; i < length_; ++i)
        if (buffer_[i] == character) return i;
    return npos;
}

template <class C, class T>
auto StringImpl<C, T>::find(const StringImpl& other, Size start) const -> Size {
    start = std::min(start, length_);
    if (other.length_ == 0) return start;
    auto found = view().find(other.view(), start);
    return found == std::basic_string_view<C>::npos ? npos : static_cast<Size>(found);
}

template <class C, class T>
auto StringImpl<C, T>::findFirstOf(const C* set, Size start, Size count) const -> Size {
    count = std::min(count, textLength(set));
    if (count == 0 || start >= length_) return npos;
    for (Size i = start; i < length_; ++i)
        if (inSet(set, count, buffer_[i])) return i;
    return npos;
}

template <class C, class T>
auto StringImpl<C, T>::findFirstNotOf(C character, Size start) const -> Size {
    if (!character || start >= length_) return npos;
    for (Size i = start; i < length_; ++i)
        if (buffer_[i] != character) return i;
    return npos;
}

template <class C, class T>
auto StringImpl<C, T>::findFirstNotOf(const C* set, Size start, Size count) const -> Size {
    count = std::min(count, textLength(set));
    if (count == 0 || start >= length_) return npos;
    for (Size i = start; i < length_; ++i)
        if (!inSet(set, count, buffer_[i])) return i;
    return npos;
}

template <class C, class T>
auto StringImpl<C, T>::findLastOf(C character, Size start) const -> Size {
    if (!character || length_ == 0) return npos;
    for (Size i = std::min(start, length_ - 1) + 1; i-- > 0;)
        if (buffer_[i] == character) return i;
    return npos;
}

template <class C, class T>
auto StringImpl<C, T>::findLastNotOf(const C* set, Size start, Size count) const -> Size {
    count = std::min(count, textLength(set));
    if (count == 0 || length_ == 0) return npos;
    for (Size i = std::min(start, length_ - 1) + 1; i-- > 0;)
        if (!inSet(set, count, buffer_[i])) return i;
    return npos;
}

template <class C, class T> void StringImpl<C, T>::replaceAll(C from, C to) {
    for (Size i = 0; i < length_; ++i)
        if (buffer_[i] == from) buffer_[i] = to;
}

template <class C, class T> void StringImpl<C, T>::replaceAll(const C* text, C to) {
    StringImpl pattern(text);
    if (pattern.isEmpty()) return;
    for (Size at = find(pattern, 0); at != npos && at < length_; at = find(pattern, at + 1)) {
        erase(at, pattern.length_);
        StringImpl one(to);
        insert(at, one, 0, 1);
        if (!to) break; // nothing was inserted; the text would be searched again from here
    }
}

template <class C, class T> void StringImpl<C, T>::trimLeft(C character) {
    if (!character || length_ == 0) return;
    Size first = findFirstNotOf(character, 0);
    erase(0, first == npos ? length_ : first);
}

template <class C, class T> void StringImpl<C, T>::trimRight(C character) {
    if (!character) return;
    while (length_ && buffer_[length_ - 1] == character)
        --length_;
    if (buffer_) buffer_[length_] = 0;
}

template <class C, class T> void StringImpl<C, T>::trimLeftAny(const C* set) {
    if (length_ == 0) return;
    Size first = findFirstNotOf(set, 0, npos);
    if (first == npos && textLength(set) == 0) return;
    erase(0, first == npos ? length_ : first);
}

template <class C, class T> void StringImpl<C, T>::toUpper() {
    for (Size i = 0; i < length_; ++i)
        if (buffer_[i] >= C('a') && buffer_[i] <= C('z')) buffer_[i] = C(buffer_[i] - 32);
}

template <class C, class T> void StringImpl<C, T>::toLower() {
    for (Size i = 0; i < length_; ++i)
        if (buffer_[i] >= C('A') && buffer_[i] <= C('Z')) buffer_[i] = C(buffer_[i] + 32);
}

template <class C, class T> bool StringImpl<C, T>::equals(const StringImpl& other) const {
    return view() == other.view();
}

template <class C, class T> bool StringImpl<C, T>::equals(const C* text) const {
    return view() == std::basic_string_view<C>(text ? text : emptyText());
}

template <class C, class T> bool StringImpl<C, T>::less(const StringImpl& other) const {
    using Unit = std::make_unsigned_t<C>;
    Size common = std::min(length_, other.length_);
    for (Size i = 0; i < common; ++i) {
        Unit a = static_cast<Unit>(buffer_[i]), b = static_cast<Unit>(other.buffer_[i]);
        if (a != b) return a < b;
    }
    return length_ < other.length_;
}

template <class C, class T>
void StringImpl<C, T>::splitString(C separator, Array<StringImpl>& list) const {
    list.clear();
    Size start = 0;
    for (Size i = 0; i <= length_; ++i) {
        if (i < length_ && buffer_[i] != separator) continue;
        if (i > start) list.add(substr(start, i - start));
        start = i + 1;
    }
}

template <class C, class T> NarrowString StringImpl<C, T>::toUtf8() const {
    if constexpr (std::is_same_v<C, char16_t>) {
        const std::string bytes = utf16ToUtf8(view());
        return exactCopy<NarrowString>(bytes.data(), bytes.size());
    } else {
        return NarrowString(*this);
    }
}

WideString fromUtf8(std::string_view bytes) {
    const std::u16string text = utf8ToUtf16(bytes);
    return exactCopy<WideString>(text.data(), text.size());
}

WideString fromPath(const std::filesystem::path& path) {
    const std::u16string text = nativeToUtf16(path);
    return exactCopy<WideString>(text.data(), text.size());
}

std::filesystem::path toPath(const WideString& text) {
    return utf16ToNative(text.view());
}

template class StringImpl<char16_t, WideTraits>;
template class StringImpl<char, NarrowTraits>;

} // namespace Zenlo
