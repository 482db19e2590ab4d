#pragma once

// An executor for benchmarks: keeps the engine's tasks so that a benchmark runs them by hand, on
// its own thread, with no executor cost in what it measures.

#include <chrono>
#include <functional>
#include <vector>

#include "TarnInputCore/Engine/Ports/EngineExecutor.h"

namespace tarn::input {

class ManualExecutor final : public EngineExecutor {
public:
    TaskId scheduleAfter(std::chrono::nanoseconds, std::function<void()>) override { return 0; }
    TaskId scheduleRepeating(std::chrono::nanoseconds, std::chrono::nanoseconds, std::function<void()>) override
    {
        return 0;
    }
    TaskId addDormant(std::chrono::nanoseconds period, std::function<void()> task) override
    {
        m_tasks.push_back({period, std::move(task), false});
        return m_tasks.size();
    }
    void arm(TaskId id, std::chrono::nanoseconds) override { m_tasks[id - 1].armed = true; }
    void disarm(TaskId id) override { m_tasks[id - 1].armed = false; }
    void cancel(TaskId) override { }
    // The smoothing tick is the engine's one task with a period.
    void tick()
    {
        for (auto& task : m_tasks) {
            if (task.period > std::chrono::nanoseconds {0}) {
                task.run();
            }
        }
    }
    // Runs the armed tasks of no period (window moves, macro steps, pauses not waited for) until
    // none is armed.
    void runArmed()
    {
        for (bool ran = true; ran;) {
            ran = false;
            for (auto& task : m_tasks) {
                if (task.armed && task.period == std::chrono::nanoseconds {0}) {
                    task.armed = false;
                    task.run();
                    ran = true;
                }
            }
        }
    }

private:
    struct Task {
        std::chrono::nanoseconds period;
        std::function<void()> run;
        bool armed;
    };
    std::vector<Task> m_tasks;
};

} // namespace tarn::input
