#include <QSignalSpy>
#include <QThreadPool>
#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/FakeClipboardImageSource.h"
#include "Platform/Fake/Foundation/FakeClock.h"
#include "Platform/Linux/Services/CurlHttpTransport.h"
#include "Platform/Linux/tests/LoopbackHttpServer.h"
#include "TarnKit/Feedback/Composer/TarnFeedbackSheetState.h"
#include "TarnKit/Feedback/Composer/tests/FakeScreenshotFilePicker.h"

namespace tarn {
namespace {

TEST(TarnFeedbackSheetStateLoopback, SendsTheFormThroughTheRealClientAndShowsTheReceipt)
{
    LoopbackHttpServer server(LoopbackHttpServer::answer(
        "HTTP/1.1 201 Created", R"({"reference_code":"FB-77","attachments_count":1,"message":"Got it"})"));
    ASSERT_NE(server.port(), 0);
    const TarnFeedbackService service({[](std::string_view) { return std::optional<std::string> {}; }, nullptr, nullptr,
        std::make_shared<CurlHttpTransport>(), "Linux 6.1.0 (x86_64)"});
    FakeClipboardImageSource clipboard;
    FakeScreenshotFilePicker picker;
    FakeClock clock;
    QThreadPool workers;
    TarnFeedbackSheetState state({"TarnInput", {"1.4.0", "57"}, TarnLanguage::en, server.url("")},
        {clipboard, picker, TarnFeedbackSheetState::submitterFor(service), [] { return TarnLanguage::en; }, clock,
            &workers});

    state.setKind(TarnFeedbackKind::bug);
    state.setEmail("ada@example.org");
    state.setSubject("Wheel");
    state.setMessage("The wheel stutters after wake-up.");
    clipboard.setPng(std::vector<std::uint8_t> {0x89, 'P', 'N', 'G', '\r', '\n'});
    state.pasteFromClipboard();
    QSignalSpy submissionChanged(&state, &TarnFeedbackSheetState::submissionChanged);
    state.submitFeedback();
    state.setMessage("Typed while the report was under way.");

    ASSERT_TRUE(submissionChanged.wait(20'000)) << "no answer applied";
    EXPECT_FALSE(state.isSubmitting());
    ASSERT_TRUE(state.receipt()) << state.errorMessage().value_or("");
    EXPECT_EQ(*state.receipt(), (TarnFeedbackReceipt {"FB-77", 1, "Got it"}));

    const std::string request = server.request();
    EXPECT_TRUE(request.starts_with("POST /api/v1/feedback HTTP/1.1\r\n")) << request.substr(0, 80);
    EXPECT_NE(request.find("name=\"type\"\r\n\r\nbug\r\n"), std::string::npos);
    EXPECT_NE(request.find("name=\"message\"\r\n\r\nThe wheel stutters after wake-up.\r\n"), std::string::npos);
    EXPECT_EQ(request.find("Typed while"), std::string::npos);
    EXPECT_NE(request.find("filename=\"clipboard-1765000000.png\"\r\nContent-Type: image/png\r\n\r\n\x89PNG\r\n\r\n"),
        std::string::npos);
}

} // namespace
} // namespace tarn
