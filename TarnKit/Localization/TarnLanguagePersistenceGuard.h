#pragma once

// While a follow-the-system choice runs its selection callback, a setCurrent() made by that
// callback must not overwrite the stored "system". The guard counts such running callbacks; the
// count is read and changed only under its own lock, which is never held while calling out.

#include <cstdint>
#include <mutex>

namespace tarn {

class TarnLanguagePersistenceGuard {
public:
    TarnLanguagePersistenceGuard() = default;
    TarnLanguagePersistenceGuard(const TarnLanguagePersistenceGuard&) = delete;
    TarnLanguagePersistenceGuard& operator=(const TarnLanguagePersistenceGuard&) = delete;

    void beginSuppressing();
    // Never goes below zero, so an unbalanced end cannot disable persistence for good.
    void endSuppressing();
    bool isSuppressing() const;
    std::int64_t suppressDepth() const;

    // Suppresses persistence for the lifetime of the scope, also when the body throws.
    class [[nodiscard]] Scope {
    public:
        explicit Scope(TarnLanguagePersistenceGuard& guard)
            : m_guard(guard)
        {
            m_guard.beginSuppressing();
        }
        ~Scope() { m_guard.endSuppressing(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        TarnLanguagePersistenceGuard& m_guard;
    };

private:
    mutable std::mutex m_lock;
    std::int64_t m_suppressDepth = 0;
};

} // namespace tarn
