// Renders the feedback sheet with sample input in English, Turkish and Arabic, four ways each:
// the filled form, the form while sending, the form with an error line and the receipt. For
// looking at the sheet without a program that shows it.
//
//   QT_QPA_PLATFORM=offscreen TarnFeedbackSheetPreview [output-prefix]
//   (writes <prefix>-form-en.png, -sending-en.png, -error-en.png, -receipt-en.png, and -tr, -ar)

#include <future>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QThreadPool>

#include "Platform/Fake/Foundation/FakeClipboardImageSource.h"
#include "Platform/Fake/Foundation/FakeClock.h"
#include "Platform/Fake/Foundation/FakeHttpTransport.h"
#include "TarnKit/Feedback/Composer/Sheet/TarnFeedbackSheet.h"

namespace {

using namespace tarn;

// Answers only once released, so that the sheet can be pictured while it sends.
class HeldTransport final : public HttpTransport {
public:
    Result<HttpResponse, std::string> send(const HttpRequest& /*request*/) override
    {
        m_released.wait();
        return HttpResponse {500, "{}"};
    }
    void release() { m_gate.set_value(); }

private:
    std::promise<void> m_gate;
    std::shared_future<void> m_released = m_gate.get_future().share();
};

std::vector<std::uint8_t> samplePng(const QColor& from, const QColor& to)
{
    QImage image(640, 400, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 640, 400);
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    painter.fillRect(image.rect(), gradient);
    painter.setPen(QPen(Qt::white, 6));
    painter.drawRect(80, 60, 480, 280);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return {bytes.begin(), bytes.end()};
}

struct SampleInput {
    std::string name;
    std::string subject;
    std::string message;
};

SampleInput sampleInput(TarnLanguage language)
{
    switch (language) {
    case TarnLanguage::tr:
        return {"Ayşe", "Tekerlek takılıyor", "Uyku modundan sonra fare tekerleği birkaç saniye takılıyor."};
    case TarnLanguage::ar:
        return {"ليلى", "عجلة الفأرة تتقطع", "تتقطع عجلة الفأرة لبضع ثوان بعد الاستئناف من وضع السكون."};
    default:
        return {"Ada", "Wheel stutters", "After waking from sleep the mouse wheel stutters for a few seconds."};
    }
}

struct Services {
    std::shared_ptr<FakeHttpTransport> transport = std::make_shared<FakeHttpTransport>();
    std::shared_ptr<HeldTransport> held = std::make_shared<HeldTransport>();
    TarnFeedbackService feedback {
        {[](std::string_view) { return std::optional<std::string> {}; }, nullptr, nullptr, transport, "Linux"}};
    TarnFeedbackService heldFeedback {
        {[](std::string_view) { return std::optional<std::string> {}; }, nullptr, nullptr, held, "Linux"}};
    FakeClipboardImageSource clipboard;
    FakeClock clock;
    QThreadPool workers;
};

enum class View { form, sending, error, receipt };

void fill(TarnFeedbackSheet& sheet, Services& services, TarnLanguage language, bool withEmail)
{
    TarnFeedbackSheetState& state = sheet.state();
    const SampleInput input = sampleInput(language);
    state.setKind(TarnFeedbackKind::bug);
    state.setEmail(withEmail ? "ada@example.org" : "");
    state.setSenderName(input.name);
    state.setSubject(input.subject);
    state.setMessage(input.message);
    services.clipboard.setPng(samplePng(QColor(0x4C, 0x6E, 0xF5), QColor(0x1B, 0x1F, 0x3A)));
    state.pasteFromClipboard();
    services.clipboard.setPng(samplePng(QColor(0xF5, 0x9E, 0x4C), QColor(0x3A, 0x1B, 0x2A)));
    state.pasteFromClipboard();
    // Bytes that are no picture: a tile without one.
    services.clipboard.setPng(std::vector<std::uint8_t>(2048, 0x42));
    state.pasteFromClipboard();
}

void render(View view, TarnLanguage language, const QString& file)
{
    Services services;
    services.transport->answer(201, R"({"reference_code":"FB-2026-0042","attachments_count":3})");
    TarnFeedbackSheet sheet(
        "TarnInput", TarnAppVersion {"1.4.0", "57"}, TarnProductPalette::deepViolet, language, std::nullopt, [] {},
        TarnFeedbackSheetServices {view == View::sending ? services.heldFeedback : services.feedback,
            services.clipboard, [language] { return language; }, services.clock, nullptr, &services.workers});
    fill(sheet, services, language, view != View::error);
    if (view != View::form) {
        sheet.state().submitFeedback();
    }
    if (view != View::sending) {
        services.workers.waitForDone(10'000);
        // The outcome comes back as an event; apply it before the sheet lays itself out.
        QCoreApplication::sendPostedEvents();
    }
    sheet.resize(620, 1010);
    sheet.show();
    QApplication::processEvents();
    sheet.grab().save(file);
    services.held->release();
    services.workers.waitForDone(10'000);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString prefix = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("tarn-feedback-sheet");
    const std::pair<View, const char*> views[]
        = {{View::form, "form"}, {View::sending, "sending"}, {View::error, "error"}, {View::receipt, "receipt"}};
    for (const TarnLanguage language : {TarnLanguage::en, TarnLanguage::tr, TarnLanguage::ar}) {
        for (const auto& [view, name] : views) {
            render(view, language,
                prefix + QLatin1Char('-') + QLatin1String(name) + QLatin1Char('-')
                    + QString::fromLatin1(rawValue(language).data(), static_cast<qsizetype>(rawValue(language).size()))
                    + QStringLiteral(".png"));
        }
    }
    return 0;
}
