#pragma once

// Records the addresses it is asked to open instead of starting anything.

#include <string>
#include <string_view>
#include <vector>

#include "TarnKit/Foundation/Ports/UrlOpener.h"

namespace tarn {

class RecordingUrlOpener final : public UrlOpener {
public:
    bool open(std::string_view url) override
    {
        m_opened.emplace_back(url);
        return m_succeeds;
    }

    const std::vector<std::string>& opened() const { return m_opened; }
    void setSucceeds(bool succeeds) { m_succeeds = succeeds; }

private:
    std::vector<std::string> m_opened;
    bool m_succeeds = true;
};

} // namespace tarn
