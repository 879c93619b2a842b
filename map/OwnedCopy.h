#pragma once

#include <memory>

// What a brush keeps behind a pointer, copied and compared by what it points
// at; null stands for nothing kept.
template <class T> std::unique_ptr<T> CopyOf(const std::unique_ptr<T>& kept) {
    return kept ? std::make_unique<T>(*kept) : nullptr;
}

template <class T> bool SamePointee(const std::unique_ptr<T>& a, const std::unique_ptr<T>& b) {
    return a && b ? *a == *b : !a && !b;
}
