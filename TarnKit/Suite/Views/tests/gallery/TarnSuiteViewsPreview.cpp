// Renders the four suite views in English and Turkish, in a running, a completed and a critical
// state, each picture on the kit's dark ground:
//   QT_QPA_PLATFORM=offscreen TarnSuiteViewsPreview suite-views   (writes suite-views-<state>-<language>.png)
#include <string>

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

#include "Platform/Fake/Suite/FakeAppEnvironment.h"
#include "TarnKit/Suite/Views/TarnOffloadProgressBanner.h"
#include "TarnKit/Suite/Views/TarnSuiteQuickActionsStrip.h"
#include "TarnKit/Suite/Views/TarnVirtualMemoryGaugeCard.h"
#include "TarnKit/Suite/Views/TarnVirtualMemoryHeaderPill.h"

namespace {

using namespace tarn;

enum class State { running, completed, critical };

TarnVirtualMemorySummary summaryFor(State state)
{
    TarnVirtualMemorySummary summary;
    summary.physicalTotalBytes = 16'000'000'000;
    summary.physicalUsedBytes = state == State::critical ? 15'400'000'000 : 12'000'000'000;
    summary.swapTotalBytes = 4'000'000'000;
    summary.swapUsedBytes = 1'000'000'000;
    summary.swapFileCount = 2;
    summary.swapEncrypted = true;
    summary.pressureLevel = state == State::critical ? "critical" : "normal";
    summary.isTarnMemoryRunning = state != State::completed;
    summary.activeDiskPoolCount = 1;
    summary.diskPoolVirtualBytes = 10'000'000'000;
    summary.diskPoolActualDiskBytes = 1'200'000'000;
    summary.diskPoolNames = {"pool-main"};
    if (state != State::running) {
        summary.mountedRAMDiskCount = 1;
        summary.ramDiskTotalBytes = 2'000'000'000;
        summary.ramDiskNames = {"scratch"};
        summary.frozenAppCount = 3;
        summary.reclaimedFromFrozenBytes = 640'000'000;
    }
    return summary;
}

TarnMemoryOffloadLiveProgress progressFor(State state)
{
    const bool done = state == State::completed;
    return TarnMemoryOffloadLiveProgress(WallTime {}, !done, done, done ? 4 : 2, 4, done ? 1.0 : 0.375,
        done ? "Offload finished" : "Freezing idle apps", done ? "Rahatlatma bitti" : "Pasifler donduruluyor",
        done ? "Released 2.4 GB; 3 apps frozen" : "Firefox, Thunderbird, GIMP",
        done ? "2,4 GB iade edildi; 3 uygulama donduruldu" : "Firefox, Thunderbird, GIMP", 3'000'000'000, 8'000'000'000,
        {}, state == State::critical ? "critical" : "normal");
}

TarnReaperLiveStatus reaperFor(State state)
{
    return TarnReaperLiveStatus(
        WallTime {}, 42, 300, 1, state == State::critical ? 2 : 0, {}, 0, {}, std::nullopt, 0, 0);
}

class Ground final : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QLinearGradient gradient(rect().topLeft(), rect().bottomRight());
        gradient.setColorAt(0, QColor(0x1B, 0x16, 0x38));
        gradient.setColorAt(1, QColor(0x0C, 0x0B, 0x1A));
        painter.fillRect(rect(), gradient);
    }
};

void render(State state, TarnLanguage language, const std::string& file)
{
    FakeAppEnvironment environment;
    for (TarnSuiteApp app : {TarnSuiteApp::tarnMemory, TarnSuiteApp::tarnReaper, TarnSuiteApp::tarnSensors}) {
        environment.install(app, std::string(rawValue(app)));
    }
    const TarnSuiteSend send
        = [](TarnSuiteCommandKind, TarnSuiteApp, TarnSuiteApp, const TarnSuiteSendOptions&) { return true; };
    const TarnVirtualMemorySummary summary = summaryFor(state);
    const TarnReaperLiveStatus reaper = reaperFor(state);
    Ground ground;
    auto* column = new QVBoxLayout(&ground);
    column->setContentsMargins(20, 20, 20, 20);
    column->setSpacing(16);
    auto* pill = new TarnVirtualMemoryHeaderPill(summary, language, nullptr, environment);
    column->addWidget(pill, 0, Qt::AlignLeft);
    column->addWidget(new TarnSuiteQuickActionsStrip(
        TarnSuiteApp::tarnInput, &summary, &reaper, language, false, nullptr, environment, send));
    column->addWidget(new TarnSuiteQuickActionsStrip(
        TarnSuiteApp::tarnInput, &summary, &reaper, language, true, nullptr, environment, send));
    column->addWidget(new TarnOffloadProgressBanner(
        progressFor(state), language, false, [] {}, [] {}));
    column->addWidget(new TarnOffloadProgressBanner(
        progressFor(state), language, true, [] {}, [] {}));
    column->addWidget(new TarnVirtualMemoryGaugeCard(
        summary, language, QColor(0x38, 0xE8, 0xFF), TarnSuiteApp::tarnInput, nullptr, environment, send));
    auto* narrow = new TarnVirtualMemoryGaugeCard(
        summary, language, QColor(0x38, 0xE8, 0xFF), TarnSuiteApp::tarnInput, nullptr, environment, send);
    narrow->setFixedWidth(380);
    // A row of its own, so that its height is worked out at its own width.
    auto* narrowRow = new QHBoxLayout;
    narrowRow->addWidget(narrow);
    narrowRow->addStretch();
    column->addLayout(narrowRow);
    column->addStretch();
    ground.resize(820, 1200);
    ground.show();
    QApplication::processEvents();
    ground.resize(820, ground.layout()->totalHeightForWidth(820));
    QApplication::processEvents();
    ground.grab().save(QString::fromStdString(file));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const std::string base = argc > 1 ? argv[1] : "suite-views";
    const std::pair<State, const char*> states[] {
        {State::running, "running"}, {State::completed, "completed"}, {State::critical, "critical"}};
    for (const auto& [state, name] : states) {
        render(state, TarnLanguage::en, base + "-" + name + "-en.png");
        render(state, TarnLanguage::tr, base + "-" + name + "-tr.png");
    }
    return 0;
}
