// The program's growable array, filled by splitString: grows by ten, or by half its count once
// that is more, so that filling it with many elements (every file below a folder) stays linear.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>

namespace Zenlo {

template <class T> class Array {
public:
    using Size = std::uint32_t;
    static constexpr Size growthStep = 10;

    Array() = default;
    Array(const Array& other) { *this = other; }
    Array(Array&& other) noexcept { *this = std::move(other); }
    Array& operator=(Array&& other) noexcept {
        storage_ = std::move(other.storage_);
        capacity_ = std::exchange(other.capacity_, 0);
        count_ = std::exchange(other.count_, 0);
        return *this;
    }
    Array& operator=(const Array& other) {
        if (this == &other) return *this;
        clear();
        for (Size i = 0; i < other.count_; ++i)
            add(other[i]);
        return *this;
    }

    Size count() const { return count_; }
    Size capacity() const { return capacity_; }
    bool isEmpty() const { return count_ == 0; }
    const T& operator[](Size index) const { return storage_[index]; }
    T& operator[](Size index) { return storage_[index]; }
    const T* begin() const { return storage_.get(); }
    const T* end() const { return storage_.get() + count_; }
    T* begin() { return storage_.get(); }
    T* end() { return storage_.get() + count_; }

    // Adds an element at the end; when full, room for count + 1 + max(10, count / 2) is made first.
    void add(T element) {
        if (count_ == capacity_) {
            Size capacity = count_ + 1 + std::max(growthStep, count_ / 2);
            std::unique_ptr<T[]> storage(new T[capacity]);
            for (Size i = 0; i < count_; ++i)
                storage[i] = std::move(storage_[i]);
            storage_ = std::move(storage);
            capacity_ = capacity;
        }
        storage_[count_++] = std::move(element);
    }

    void clear() {
        for (Size i = 0; i < count_; ++i)
            storage_[i] = T();
        count_ = 0;
    }

private:
    std::unique_ptr<T[]> storage_;
    Size capacity_ = 0;
    Size count_ = 0;
};

} // namespace Zenlo
