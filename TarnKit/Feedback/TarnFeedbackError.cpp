#include "TarnKit/Feedback/TarnFeedbackError.h"

#include <fmt/format.h>

#include "TarnKit/Localization/TarnLanguageSettings.h"
#include "TarnKit/Localization/TarnText.h"

namespace tarn {

std::string TarnFeedbackError::description() const
{
    return description(TarnLanguageSettings::shared().current());
}

std::string TarnFeedbackError::description(TarnLanguage language) const
{
    switch (m_kind) {
    case Kind::tooManyScreenshots:
        return tarnText(fmt::format("You can attach up to {} screenshots.", m_limit),
            fmt::format("En fazla {} ekran görüntüsü ekleyebilirsiniz.", m_limit), language);
    case Kind::screenshotTooLarge:
        return tarnText(fmt::format("Each screenshot must be smaller than {} MB.", m_limit),
            fmt::format("Her ekran görüntüsü en fazla {} MB olabilir.", m_limit), language);
    case Kind::serverRejected:
        return m_text;
    case Kind::networkFailure:
        return tarnText(fmt::format("Could not reach {} ({}). You can open the feedback page in your browser instead.",
                            m_host, m_text),
            fmt::format(
                "{} adresine ulaşılamadı ({}). Dilerseniz tarayıcıdan göndermeyi deneyebilirsiniz.", m_host, m_text),
            language);
    case Kind::invalidEndpoint:
        return tarnText(
            "Feedback server address could not be resolved.", "Geri bildirim sunucu adresi çözümlenemedi.", language);
    case Kind::invalidEmail:
        return tarnText("Please enter a valid email address.", "Lütfen geçerli bir e-posta adresi girin.", language);
    case Kind::messageTooShort:
        return tarnText("Please write a bit more detail (at least 10 characters).",
            "Lütfen en az 10 karakterlik kısa bir açıklama yazın.", language);
    }
    return {};
}

} // namespace tarn
