#pragma once

// Owns one file descriptor and closes it once. Move-only: a descriptor is never copied silently;
// `duplicate` makes a second, independent one on purpose.

#include <utility>

namespace tarn {

class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd)
        : m_fd(fd)
    {
    }
    UniqueFd(UniqueFd&& other) noexcept
        : m_fd(std::exchange(other.m_fd, -1))
    {
    }
    UniqueFd& operator=(UniqueFd&& other) noexcept
    {
        if (this != &other) {
            reset(std::exchange(other.m_fd, -1));
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { reset(); }

    static UniqueFd adopt(int fd) { return UniqueFd(fd); }
    UniqueFd duplicate() const;

    int get() const { return m_fd; }
    explicit operator bool() const { return m_fd >= 0; }
    int release() { return std::exchange(m_fd, -1); }
    void reset(int fd = -1);
    // Closes now and reports the result (a failed close can mean lost data).
    int close();

private:
    int m_fd = -1;
};

} // namespace tarn
