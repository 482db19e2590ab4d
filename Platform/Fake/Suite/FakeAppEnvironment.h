#pragma once

// The desktop as a test sets it up: which applications are installed where and which run. It
// records what it is asked to do (activate, open) as lines of a journal, and counts the questions
// whether an application runs. Safe to use from several threads.

#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "TarnKit/Suite/Commands/AppEnvironment.h"

namespace tarn {

class FakeAppEnvironment final : public AppEnvironment {
public:
    std::optional<std::filesystem::path> installedLocation(TarnSuiteApp app) const override
    {
        std::lock_guard lock(m_mutex);
        const auto found = m_installed.find(app);
        return found == m_installed.end() ? std::nullopt : std::optional(found->second);
    }

    bool isRunning(TarnSuiteApp app) const override
    {
        std::lock_guard lock(m_mutex);
        ++m_runningQuestions;
        return m_running.contains(app);
    }

    bool activateRunning(TarnSuiteApp app) override
    {
        std::lock_guard lock(m_mutex);
        if (!m_running.contains(app)) {
            return false;
        }
        m_journal.push_back("activate " + std::string(rawValue(app)));
        return true;
    }

    bool open(const std::filesystem::path& location, bool activates) override
    {
        std::lock_guard lock(m_mutex);
        m_journal.push_back("open " + location.string() + (activates ? " in front" : " behind"));
        return m_opensSucceed;
    }

    void install(TarnSuiteApp app, std::filesystem::path location)
    {
        std::lock_guard lock(m_mutex);
        m_installed[app] = std::move(location);
    }
    void uninstall(TarnSuiteApp app)
    {
        std::lock_guard lock(m_mutex);
        m_installed.erase(app);
    }
    void setRunning(TarnSuiteApp app, bool running)
    {
        std::lock_guard lock(m_mutex);
        if (running) {
            m_running.insert(app);
        } else {
            m_running.erase(app);
        }
    }
    void setOpensSucceed(bool succeed)
    {
        std::lock_guard lock(m_mutex);
        m_opensSucceed = succeed;
    }

    std::vector<std::string> journal() const
    {
        std::lock_guard lock(m_mutex);
        return m_journal;
    }
    int runningQuestions() const
    {
        std::lock_guard lock(m_mutex);
        return m_runningQuestions;
    }

private:
    mutable std::mutex m_mutex;
    std::map<TarnSuiteApp, std::filesystem::path> m_installed;
    std::set<TarnSuiteApp> m_running;
    bool m_opensSucceed = true;
    std::vector<std::string> m_journal;
    mutable int m_runningQuestions = 0;
};

} // namespace tarn
