#include "Platform/Fake/App/StudioHarness.h"

#include <fstream>
#include <iterator>
#include <random>

#include <fmt/format.h>

namespace tarn::input::testing {

namespace {

std::filesystem::path freshFolder()
{
    std::random_device random;
    auto folder = std::filesystem::temp_directory_path() / fmt::format("tarn-studio-{:x}{:x}", random(), random());
    std::filesystem::create_directories(folder);
    return folder;
}

} // namespace

StudioHarness::StudioHarness()
    : m_folder(freshFolder())
{
    permission.setAccessibilityGranted(true);
}

StudioHarness::~StudioHarness()
{
    m_viewModel.reset();
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
}

InputStudioServices StudioHarness::services()
{
    return InputStudioServices {
        .logger = m_log,
        .settingsFile = settingsFile(),
        .clock = engine.clock,
        .engine = {m_tap, engine.poster, m_workspace, engine.windows, engine.clock, engine.executor, m_log},
        .pointerPreferences = m_preferences,
        .deviceSource = m_devices,
        .permissions = *m_permissions,
        .loginItem = m_loginItemOverride != nullptr ? *m_loginItemOverride : m_loginItem,
        .hotkeys = m_hotkeys,
        .mainThread = mainThread,
        .engineWakeup = engineWakeup,
        .timers = m_timers,
        .deviceChanges = deviceChanges,
        .timeFormatter = timeFormatter,
        .pasteboard = pasteboard,
        .screens = screens,
        .overlays = overlays,
        .languageSettings = m_languageSettings,
    };
}

InputStudioViewModel& StudioHarness::start()
{
    if (!m_permissions) {
        m_permission.emplace(m_permissionOverride != nullptr ? *m_permissionOverride : permission, journal);
        m_permissions.emplace(*m_permission, m_opener, permissionHelpPage());
    }
    m_viewModel = std::make_unique<InputStudioViewModel>(services());
    if (waitForEachSave) {
        // Connected before any screen: the file is written before a screen hears of the change.
        QObject::connect(m_viewModel.get(), &InputStudioViewModel::settingsChanged, m_viewModel.get(),
            [viewModel = m_viewModel.get()] { viewModel->flushSettings(); });
    }
    return *m_viewModel;
}

void StudioHarness::advance(std::chrono::nanoseconds step)
{
    engine.executor.advance(step);
    mainThread.runPending();
}

nlohmann::json StudioHarness::settingsFileJson() const
{
    std::ifstream file(settingsFile());
    return nlohmann::json::parse(file, nullptr, false);
}

InputSettings StudioHarness::storedSettings() const
{
    if (!settingsFileExists()) {
        return InputSettings {};
    }
    auto decoded = InputSettings::fromJson(settingsFileJson());
    return decoded ? decoded.value() : InputSettings {};
}

std::string StudioHarness::settingsFileText() const
{
    std::ifstream file(settingsFile());
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void StudioHarness::slidePointer(double dx, int steps)
{
    for (int step = 0; step < steps; ++step) {
        engine.clock.advance(std::chrono::milliseconds(10));
        TapEvent move;
        move.type = TapEventType::mouseMoved;
        move.mouseDeltaX = dx / steps;
        engine.tap.deliver(move);
    }
    mainThread.runPending();
}

void StudioHarness::writeSettingsFile(const InputSettings& settings) const
{
    std::filesystem::create_directories(settingsFile().parent_path());
    std::ofstream(settingsFile()) << settings.toJson().dump(2);
}

void StudioHarness::addDevice(const std::string& product, std::int64_t vendorID, bool builtIn)
{
    HIDDeviceProperties device;
    device.devicePath = "/sys/devices/" + product;
    device.product = product;
    device.vendorID = vendorID;
    device.productID = builtIn ? 0 : 0xC077;
    device.transport = builtIn ? "I2C" : "USB";
    device.builtIn = builtIn;
    devices.addDevice(device);
}

std::vector<std::string> StudioHarness::logLines() const
{
    std::vector<std::string> lines;
    for (const auto& line : engine.log.lines()) {
        lines.push_back(line.category + " " + line.message);
    }
    return lines;
}

} // namespace tarn::input::testing
