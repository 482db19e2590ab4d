#include "TarnKit/Foundation/Files/UniqueFd.h"

#include <fcntl.h>
#include <unistd.h>

namespace tarn {

UniqueFd UniqueFd::duplicate() const
{
    if (m_fd < 0) {
        return UniqueFd();
    }
    return UniqueFd(::fcntl(m_fd, F_DUPFD_CLOEXEC, 0));
}

void UniqueFd::reset(int fd)
{
    if (m_fd >= 0) {
        ::close(m_fd);
    }
    m_fd = fd;
}

int UniqueFd::close()
{
    return ::close(std::exchange(m_fd, -1));
}

} // namespace tarn
