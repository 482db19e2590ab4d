#include <ostream>

#include <gtest/gtest.h>

#include "Platform/Fake/App/StudioHarness.h"
#include "TarnInput/ViewModel/ScreenModels/ButtonsViewModel.h"
#include "TarnInput/ViewModel/ScreenModels/ProfilesViewModel.h"
#include "TarnInput/ViewModel/ScreenModels/ScrollViewModel.h"
#include "TarnInputCore/Model/Macros/MacroPresetLibrary.h"
#include "TarnInputCore/Model/Profiles/AppInputProfileEngine.h"

namespace tarn::input::testing {
namespace {

InputMacro macroNamed(const std::string& name, std::vector<MacroStep> steps = {MacroStep::keystroke(8, {"cmd"}, "⌘C")})
{
    InputMacro macro;
    macro.id = Uuid::random();
    macro.name = name;
    macro.steps = std::move(steps);
    return macro;
}

// Every toast of the named and editing operations, in both languages, with its error flag.
struct ToastCase {
    const char* name;
    void (*act)(StudioHarness&, InputStudioViewModel&);
    const char* en;
    const char* tr;
    bool isError;
};

const ToastCase kToastCases[] = {
    {"engineOff", [](auto&, auto& vm) { vm.toggleEngine(); }, "Input engine paused.", "Giriş motoru duraklatıldı.",
        false},
    {"engineOn",
        [](auto&, auto& vm) {
            vm.toggleEngine();
            vm.toggleEngine();
        },
        "Input engine enabled.", "Giriş motoru etkinleştirildi.", false},
    {"keyHUDOn", [](auto&, auto& vm) { vm.toggleKeyHUD(); }, "Presentation KeyHUD enabled.",
        "Sunum Kısayol HUD açıldı.", false},
    {"keyHUDOff",
        [](auto&, auto& vm) {
            vm.toggleKeyHUD();
            vm.toggleKeyHUD();
        },
        "Presentation KeyHUD hidden.", "Sunum Kısayol HUD kapatıldı.", false},
    {"reset", [](auto&, auto& vm) { vm.resetToDefaults(); }, "Restored default input settings.",
        "Varsayılan giriş ayarları geri yüklendi.", false},
    {"launchAtLoginOnFailed",
        [](auto& h, auto& vm) {
            h.loginItem.setFailing(true);
            vm.toggleLaunchAtLogin(true);
        },
        "Launch at login could not be turned on: the autostart entry in ~/.config/autostart could not be written.",
        "Oturum açılışında başlatma açılamadı: ~/.config/autostart içindeki otomatik başlatma girdisi yazılamadı.",
        true},
    {"launchAtLoginOffFailed",
        [](auto& h, auto& vm) {
            vm.toggleLaunchAtLogin(true);
            h.loginItem.setFailing(true);
            vm.toggleLaunchAtLogin(false);
        },
        "Launch at login could not be turned off: the autostart entry in ~/.config/autostart could not be written.",
        "Oturum açılışında başlatma kapatılamadı: ~/.config/autostart içindeki otomatik başlatma girdisi yazılamadı.",
        true},
    {"hardwareReport", [](auto&, auto& vm) { vm.copyHardwareReport(); },
        "Copied full mouse hardware report to clipboard.", "Fare donanım raporu panoya kopyalandı.", false},
    {"diagnostics", [](auto&, auto& vm) { vm.resetDiagnostics(); }, "Reset live polling rate & click counters.",
        "Canlı Hz ve tıklama sayaçları sıfırlandı.", false},
    {"calibrationLabReset", [](auto&, auto& vm) { vm.resetCalibrationLab(); },
        "Reset cursor travel distance & click lab counters.", "İmleç mesafesi ve tıklama sayaçları sıfırlandı.", false},
    {"calibrationStarted", [](auto&, auto& vm) { vm.toggleDPICalibration(); },
        "Slide your mouse 10 cm horizontally, then click Stop.",
        "Farenizi mousepad üzerinde düz 10 cm kaydırın, ardından Bitir'e tıklayın.", false},
    {"calibrationNothingMeasured",
        [](auto& h, auto& vm) {
            vm.toggleDPICalibration();
            h.runMainThread();
            vm.toggleDPICalibration();
        },
        "Move your mouse 10 cm before stopping calibration.", "Kalibrasyonu bitirmeden önce fareyi 10 cm sürükleyin.",
        true},
    {"calibrationMeasured",
        [](auto& h, auto& vm) {
            vm.toggleDPICalibration();
            h.runMainThread();
            h.slidePointer(630, 10);
            vm.toggleDPICalibration();
        },
        "Measured effective DPI: 160 DPI.", "Ölçülen efektif DPI: 160 DPI.", false},
    {"measuredApplied",
        [](auto& h, auto& vm) {
            vm.toggleDPICalibration();
            h.runMainThread();
            h.slidePointer(630, 10);
            vm.toggleDPICalibration();
            h.runMainThread();
            vm.applyMeasuredDPI();
        },
        "Applied 160 DPI as nominal mouse DPI.", "160 DPI nominal fare DPI olarak uygulandı.", false},
    {"accelerationOff", [](auto&, auto& vm) { vm.setDisableMouseAcceleration(true); },
        "Disabled mouse acceleration (Linear 1:1 tracking).", "Fare ivmesi kapatıldı (Doğrusal 1:1 takip).", false},
    {"accelerationOn", [](auto&, auto& vm) { vm.setDisableMouseAcceleration(false); },
        "Restored standard pointer acceleration.", "Standart imleç ivmesi geri açıldı.", false},
    {"accelerationRefused",
        [](auto& h, auto& vm) {
            h.preferences.setSynchronizeFails(true);
            vm.setDisableMouseAcceleration(true);
        },
        "Pointer acceleration could not be changed.", "İmleç ivmesi değiştirilemedi.", true},
    {"devicesDetected", [](auto&, auto& vm) { vm.refreshDevices(true); }, "Detected 0 pointing devices.",
        "0 işaretçi/fare donanımı tarandı.", false},
    {"exclusionAdded", [](auto&, auto& vm) { ScrollViewModel(vm, vm).addExclusion(" org.gimp.GIMP "); },
        "Excluded org.gimp.GIMP from smooth scroll.", "org.gimp.GIMP akıcı kaydırmadan hariç tutuldu.", false},
    {"ruleAdded",
        [](auto&, auto& vm) {
            ButtonsViewModel(vm, vm, vm)
                .addRule("org.gnome.Nautilus", "Files", MouseButtonKind::sideBack, MouseButtonAction::copy);
        },
        "Added override for Files.", "Files için tuş kuralı eklendi.", false},
    {"templateThere",
        [](auto&, auto& vm) {
            const auto safari = AppInputProfileEngine::builtInTemplates()[4];
            ProfilesViewModel(vm, vm, vm, vm).addProfileTemplate(safari);
            ProfilesViewModel(vm, vm, vm, vm).addProfileTemplate(safari);
        },
        "Profile for Safari already exists.", "Safari profili zaten ekli.", false},
    {"templateAdded",
        [](auto&, auto& vm) {
            ProfilesViewModel(vm, vm, vm, vm).addProfileTemplate(AppInputProfileEngine::builtInTemplates()[4]);
        },
        "Added Safari profile.", "Safari profili eklendi.", false},
    {"profileEmptyID", [](auto&, auto& vm) { ProfilesViewModel(vm, vm, vm, vm).addProfile("  ", "Name"); },
        "Enter a valid app ID.", "Geçerli bir uygulama kimliği girin.", true},
    {"profileThere",
        [](auto&, auto& vm) {
            ProfilesViewModel(vm, vm, vm, vm).addProfile("org.gimp.GIMP", "");
            ProfilesViewModel(vm, vm, vm, vm).addProfile(" ORG.gimp.gimp ", "");
        },
        "Profile for ORG.gimp.gimp already exists.", "ORG.gimp.gimp için profil zaten mevcut.", true},
    {"profileCreated", [](auto&, auto& vm) { ProfilesViewModel(vm, vm, vm, vm).addProfile("org.gimp.GIMP", " GIMP "); },
        "Created profile for GIMP.", "GIMP profili oluşturuldu.", false},
    {"profileRemoved",
        [](auto&, auto& vm) {
            ProfilesViewModel(vm, vm, vm, vm).addProfile("org.gimp.GIMP", "GIMP");
            ProfilesViewModel(vm, vm, vm, vm).removeProfile(vm.settings().appProfiles.front());
        },
        "Removed GIMP profile.", "GIMP profili silindi.", false},
    {"presetThere",
        [](auto&, auto& vm) {
            ProfilesViewModel(vm, vm, vm, vm).addMacroPreset(MacroPresetLibrary::makePresets()[1]);
            ProfilesViewModel(vm, vm, vm, vm).addMacroPreset(MacroPresetLibrary::makePresets()[1]);
        },
        "Macro 'Tümünü Seç & Kopyala' is already in your library.", "'Tümünü Seç & Kopyala' makrosu zaten listenizde.",
        false},
    {"presetAdded",
        [](auto&, auto& vm) { ProfilesViewModel(vm, vm, vm, vm).addMacroPreset(MacroPresetLibrary::makePresets()[1]); },
        "Added macro 'Tümünü Seç & Kopyala'.", "'Tümünü Seç & Kopyala' makrosu eklendi.", false},
    {"macroInvalid", [](auto&, auto& vm) { (void)ProfilesViewModel(vm, vm, vm, vm).saveMacro(macroNamed("", {})); },
        "Macro needs a name and at least one valid step.", "Makro için ad ve en az bir geçerli adım gerekir.", true},
    {"macroSaved", [](auto&, auto& vm) { (void)ProfilesViewModel(vm, vm, vm, vm).saveMacro(macroNamed("Copy")); },
        "Saved macro 'Copy'.", "'Copy' makrosu kaydedildi.", false},
    {"macroUpdated",
        [](auto&, auto& vm) {
            auto macro = macroNamed("Copy");
            (void)ProfilesViewModel(vm, vm, vm, vm).saveMacro(macro);
            macro.name = "Copy all";
            (void)ProfilesViewModel(vm, vm, vm, vm).saveMacro(macro);
        },
        "Updated macro 'Copy all'.", "'Copy all' makrosu güncellendi.", false},
    {"macroDeleted", [](auto&, auto& vm) { ProfilesViewModel(vm, vm, vm, vm).removeMacro(macroNamed("Copy")); },
        "Deleted macro 'Copy'.", "'Copy' makrosu silindi.", false},
    {"macroTriggered", [](auto&, auto& vm) { ProfilesViewModel(vm, vm, vm, vm).testMacro(macroNamed("Copy")); },
        "Triggered macro 'Copy'.", "'Copy' makrosu çalıştırıldı.", false},
    {"macroNotStarted",
        [](auto&, auto& vm) {
            auto macro = macroNamed("Copy");
            macro.isEnabled = false;
            ProfilesViewModel(vm, vm, vm, vm).testMacro(macro);
        },
        "Macro could not start (disabled, invalid, or busy).",
        "Makro başlatılamadı (devre dışı, geçersiz veya meşgul).", true},
};

struct LanguageCase {
    TarnLanguage language;
    const ToastCase* toast;
};

// Names the row in test output.
void PrintTo(const LanguageCase& row, std::ostream* out)
{
    *out << rawValue(row.language) << " " << row.toast->name;
}

class InputStudioToastTexts : public ::testing::TestWithParam<LanguageCase> { };

TEST_P(InputStudioToastTexts, ShowsTheTextOfTheLanguageWithItsErrorFlag)
{
    const auto& [language, row] = GetParam();
    StudioHarness h;
    auto& vm = h.start();
    vm.setLanguage(language);

    row->act(h, vm);

    EXPECT_EQ(vm.toastMessage(), language == TarnLanguage::tr ? row->tr : row->en);
    EXPECT_EQ(vm.toastIsError(), row->isError);
}

std::vector<LanguageCase> allToastCases()
{
    std::vector<LanguageCase> cases;
    for (const auto language : {TarnLanguage::en, TarnLanguage::tr}) {
        for (const auto& row : kToastCases) {
            cases.push_back({language, &row});
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Toasts, InputStudioToastTexts, ::testing::ValuesIn(allToastCases()),
    [](const auto& info) { return std::string(rawValue(info.param.language)) + "_" + info.param.toast->name; });

} // namespace
} // namespace tarn::input::testing
