#pragma once

// Records what it is asked to show instead of starting a file manager.

#include <filesystem>
#include <mutex>
#include <vector>

#include "TarnKit/Foundation/Ports/FolderRevealer.h"

namespace tarn {

class RecordingFolderRevealer final : public FolderRevealer {
public:
    bool reveal(const std::filesystem::path& item) override
    {
        std::lock_guard lock(m_mutex);
        m_revealed.push_back(item);
        return m_succeeds;
    }

    std::vector<std::filesystem::path> revealed() const
    {
        std::lock_guard lock(m_mutex);
        return m_revealed;
    }
    void setSucceeds(bool succeeds)
    {
        std::lock_guard lock(m_mutex);
        m_succeeds = succeeds;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::filesystem::path> m_revealed;
    bool m_succeeds = true;
};

} // namespace tarn
