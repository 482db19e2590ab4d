#include "TarnKit/Suite/Memory/Kernel/KernelMemorySources.h"

#include <unistd.h>

namespace tarn {

KernelMemorySources KernelMemorySources::thisMachine()
{
    KernelMemorySources sources;
    if (const long pageSize = ::sysconf(_SC_PAGESIZE); pageSize > 0) {
        sources.pageSize = pageSize;
    }
    if (const long pages = ::sysconf(_SC_PHYS_PAGES); pages > 0) {
        sources.physicalPageCount = pages;
    }
    return sources;
}

} // namespace tarn
