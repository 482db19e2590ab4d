#pragma once

// The window chrome's rules, apart from any toolkit: configuring a window for a unified header,
// measuring where its buttons sit, the header's double-click action, and the reporter that never
// reports the same metrics twice in a row.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "TarnKit/UI/Chrome/TarnUnifiedTitlebarMetrics.h"
#include "TarnKit/UI/Chrome/WindowChrome.h"

namespace tarn {

enum class TitlebarDoubleClickAction { minimize, none, zoom };

class TarnUnifiedTitlebar {
public:
    static constexpr std::string_view kToolbarIdentifier = "com.harrowfen.unifiedTitlebar";

    // Full-size content (when missing), hidden title, transparent title bar without separator;
    // then the header bar: `fullHeightSidebar` removes ours (and only ours), `unifiedHeader`
    // installs ours unless it is there, and sets the unified style.
    static void configure(WindowChrome& window, TarnUnifiedTitlebarMode mode);
    static TarnUnifiedTitlebarMetrics measure(const WindowChrome& window, double fullscreenLeading, double gap);

    // "Minimize" and "None" as written (case-sensitive); anything else, or nothing, zooms.
    static TitlebarDoubleClickAction doubleClickAction(const std::optional<std::string>& preference);
    static void performDoubleClick(WindowChrome& window, const std::optional<std::string>& preference);
};

// Passes metrics on only when they differ from the last ones passed on.
class TarnTitlebarMetricsReporter {
public:
    using Callback = std::function<void(const TarnUnifiedTitlebarMetrics&)>;

    explicit TarnTitlebarMetricsReporter(Callback callback)
        : m_callback(std::move(callback))
    {
    }

    void report(const TarnUnifiedTitlebarMetrics& metrics);
    const std::optional<TarnUnifiedTitlebarMetrics>& lastReported() const { return m_lastReported; }

private:
    Callback m_callback;
    std::optional<TarnUnifiedTitlebarMetrics> m_lastReported;
};

} // namespace tarn
