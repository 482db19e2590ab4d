#include "Platform/Linux/Desktop/XdgOpenUrlOpener.h"

#include <utility>

#include "Platform/Linux/Desktop/DetachedProcess.h"

namespace tarn {

XdgOpenUrlOpener::XdgOpenUrlOpener(std::string program)
    : m_program(std::move(program))
{
}

bool XdgOpenUrlOpener::open(std::string_view url)
{
    // An address that starts with "-" would be read as an option.
    if (url.empty() || url.front() == '-') {
        return false;
    }
    return DetachedProcess::start({m_program, std::string(url)});
}

} // namespace tarn
