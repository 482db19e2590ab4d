#pragma once

// A value or an error, shaped like std::expected (which GCC 12 does not have yet). Kit operations
// that can fail for a reason the caller must see return one of these instead of throwing.

#include <utility>
#include <variant>

namespace tarn {

template <typename E> struct Failure {
    E error;
};

template <typename E> Failure<std::decay_t<E>> fail(E&& error)
{
    return {std::forward<E>(error)};
}

template <typename T, typename E> class [[nodiscard]] Result {
public:
    Result(T value)
        : m_storage(std::in_place_index<0>, std::move(value))
    {
    }
    template <typename F>
    Result(Failure<F> failure)
        : m_storage(std::in_place_index<1>, E(std::move(failure.error)))
    {
    }

    bool hasValue() const { return m_storage.index() == 0; }
    explicit operator bool() const { return hasValue(); }

    T& value() & { return std::get<0>(m_storage); }
    const T& value() const& { return std::get<0>(m_storage); }
    T&& value() && { return std::get<0>(std::move(m_storage)); }
    const T& operator*() const& { return value(); }
    const T* operator->() const { return &value(); }

    const E& error() const { return std::get<1>(m_storage); }

private:
    std::variant<T, E> m_storage;
};

struct Ok {
    bool operator==(const Ok&) const = default;
};

// A result that carries no value, only success or an error.
template <typename E> using Status = Result<Ok, E>;

} // namespace tarn
