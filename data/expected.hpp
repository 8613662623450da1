// A value, or the reason there is none: the shape of C++23's std::expected, kept to C++20 so
// that every compiler the project builds with (the fuzzer's clang too) takes it. A value type
// converts to bool (true: there is a value); the void form does not.
#pragma once

#include <type_traits>
#include <utility>
#include <variant>

namespace sidewalk {

// The reason, to construct an Expected that holds no value: `return Unexpected(why);`.
template <typename E> struct Unexpected {
    explicit Unexpected(E e) : error(std::move(e)) {}
    E error;
};

template <typename T, typename E> class Expected {
  public:
    Expected() requires std::is_default_constructible_v<T> : v_(std::in_place_index<0>) {}
    Expected(T value) : v_(std::in_place_index<0>, std::move(value)) {}
    Expected(Unexpected<E> u) : v_(std::in_place_index<1>, std::move(u.error)) {}

    bool has_value() const { return v_.index() == 0; }
    explicit operator bool() const { return has_value(); }
    const T& operator*() const { return std::get<0>(v_); }
    T& operator*() { return std::get<0>(v_); }
    const T* operator->() const { return &std::get<0>(v_); }
    T* operator->() { return &std::get<0>(v_); }
    const E& error() const { return std::get<1>(v_); }
    T value_or(T other) const& { return has_value() ? std::get<0>(v_) : std::move(other); }

  private:
    std::variant<T, E> v_;
};

// Done, or the reason it was not. It has no conversion to bool on purpose: "if (result)" reads
// as "if it failed" to some and "if it worked" to others; callers say has_value() or failed().
template <typename E> class Expected<void, E> {
  public:
    Expected() = default;
    Expected(Unexpected<E> u) : error_(std::move(u.error)), failed_(true) {}

    bool has_value() const { return !failed_; }
    bool failed() const { return failed_; }
    const E& error() const { return error_; }

  private:
    E error_{};
    bool failed_ = false;
};

} // namespace sidewalk
