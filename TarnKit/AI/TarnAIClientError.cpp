#include "TarnKit/AI/TarnAIClientError.h"

#include <fmt/format.h>

#include "TarnKit/Localization/TarnLanguageSettings.h"
#include "TarnKit/Localization/TarnText.h"

namespace tarn {

std::string TarnAIClientError::description() const
{
    return description(TarnLanguageSettings::shared().current());
}

std::string TarnAIClientError::description(TarnLanguage language) const
{
    switch (m_kind) {
    case Kind::httpError:
        return fmt::format("HTTP {}: {}", m_statusCode, m_message);
    case Kind::invalidEndpoint:
        return tarnText("Invalid AI endpoint URL.", "Geçersiz AI uç noktası adresi.", language);
    case Kind::missingAPIKey:
        return tarnText("API key or Harrowfen credit token is required for this provider.",
            "Bu sağlayıcı için API anahtarı veya Harrowfen kredi jetonu gereklidir.", language);
    case Kind::emptyResponse:
        return tarnText("Provider returned an empty response.", "Sağlayıcı boş yanıt döndürdü.", language);
    case Kind::invalidAPIKey:
        return tarnText("API key or Harrowfen credit token contains characters that cannot be sent.",
            "API anahtarı veya Harrowfen kredi jetonu gönderilemeyen karakterler içeriyor.", language);
    }
    return {};
}

} // namespace tarn
