#include "TarnInputCore/Model/Macros/MacroPresetLibrary.h"

namespace tarn::input {

namespace {

InputMacro makePreset(std::string name, std::string description, std::vector<MacroStep> steps)
{
    return InputMacro {Uuid::random(), std::move(name), std::move(description), std::nullopt, std::move(steps), true};
}

} // namespace

std::vector<InputMacro> MacroPresetLibrary::makePresets()
{
    return {copyNewTabPaste(), selectAllAndCopy(), quickSpotlightSearch(), screenshotSelection()};
}

InputMacro MacroPresetLibrary::copyNewTabPaste()
{
    return makePreset("Kopyala → Yeni Sekme → Yapıştır", "Seçili metni/URL'yi kopyalar, yeni sekme açar ve yapıştırır.",
        {
            MacroStep::keystroke(8, {"cmd"}, "⌘C"),
            MacroStep::delay(70),
            MacroStep::keystroke(17, {"cmd"}, "⌘T"),
            MacroStep::delay(110),
            MacroStep::keystroke(9, {"cmd"}, "⌘V"),
        });
}

InputMacro MacroPresetLibrary::selectAllAndCopy()
{
    return makePreset("Tümünü Seç & Kopyala", "Aktif alandaki tüm içeriği seçip panoya kopyalar.",
        {
            MacroStep::keystroke(0, {"cmd"}, "⌘A"),
            MacroStep::delay(50),
            MacroStep::keystroke(8, {"cmd"}, "⌘C"),
        });
}

InputMacro MacroPresetLibrary::quickSpotlightSearch()
{
    // The name stays as users know it; the description speaks of the desktop's own search.
    return makePreset("Hızlı Spotlight Ara", "Masaüstünün arama çubuğunu anında açar.",
        {MacroStep::keystroke(49, {"cmd"}, "⌘Space")});
}

InputMacro MacroPresetLibrary::screenshotSelection()
{
    return makePreset("Ekran Görüntüsü Seçimi", "Alan seçerek ekran görüntüsü alma aracını başlatır.",
        {MacroStep::keystroke(21, {"cmd", "shift"}, "⇧⌘4")});
}

} // namespace tarn::input
