#include "TarnKit/Services/TarnProcessError.h"

#include <fmt/format.h>

#include "TarnKit/Foundation/Text/UnicodeText.h"
#include "TarnKit/Localization/TarnLanguageSettings.h"
#include "TarnKit/Localization/TarnText.h"

namespace tarn {

namespace {

struct Describer {
    TarnLanguage language;

    std::string operator()(const TarnProcessError::BinaryNotFound& error) const
    {
        return tarnText("Required executable '" + error.name + "' was not found.",
            "Gerekli '" + error.name + "' aracı bulunamadı.", language);
    }
    std::string operator()(const TarnProcessError::NonZeroExit& error) const
    {
        auto trimmed = UnicodeText::trimmed(error.stderrText);
        if (!trimmed.empty()) {
            return trimmed;
        }
        return fmt::format("Process exited with code {}.", error.code);
    }
    std::string operator()(const TarnProcessError::Cancelled&) const
    {
        return tarnText("Operation cancelled.", "İşlem iptal edildi.", language);
    }
};

} // namespace

std::string TarnProcessError::errorDescription(TarnLanguage language) const
{
    return std::visit(Describer {language}, m_case);
}

std::string TarnProcessError::errorDescription() const
{
    return errorDescription(TarnLanguageSettings::shared().current());
}

} // namespace tarn
