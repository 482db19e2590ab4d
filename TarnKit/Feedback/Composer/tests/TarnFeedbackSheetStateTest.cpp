#include "TarnKit/Feedback/Composer/TarnFeedbackSheetState.h"

#include <chrono>
#include <condition_variable>
#include <fstream>
#include <mutex>
#include <thread>

#include <QCoreApplication>
#include <QSignalSpy>
#include <QThreadPool>
#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/FakeClipboardImageSource.h"
#include "Platform/Fake/Foundation/FakeClock.h"
#include "Platform/Fake/Foundation/FakeHttpTransport.h"
#include "TarnKit/Feedback/Composer/tests/FakeScreenshotFilePicker.h"
#include "tests/TemporaryFolder.h"

#include <sys/stat.h>

namespace tarn {
namespace {

namespace fs = std::filesystem;
using Outcome = TarnFeedbackSheetState::Outcome;

constexpr std::size_t kLimit = TarnFeedbackService::kMaxScreenshotBytes;
const std::string kTooMany = "You can attach up to 5 screenshots.";
const std::string kTooLarge = "Each screenshot must be smaller than 5 MB.";
const std::string kNoImage = "No image found on the clipboard right now. Take a screenshot first, then click Paste.";
const std::string kPasted = "Screenshot pasted from clipboard.";

// Stands in for the feedback service: records each report it is asked to send and the thread it
// runs on, answers with the outcome it was given, and can hold its answer until the test lets go.
class ScriptedSubmitter {
public:
    TarnFeedbackSheetState::Submitter submitter() const
    {
        return [control = m_control](const TarnFeedbackSubmission& submission) { return control->handle(submission); };
    }

    void answer(Outcome outcome)
    {
        const std::lock_guard lock(m_control->mutex);
        m_control->outcome = std::move(outcome);
    }
    void hold()
    {
        const std::lock_guard lock(m_control->mutex);
        m_control->held = true;
    }
    void release()
    {
        const std::lock_guard lock(m_control->mutex);
        m_control->held = false;
        m_control->changed.notify_all();
    }
    std::vector<TarnFeedbackSubmission> sent() const
    {
        const std::lock_guard lock(m_control->mutex);
        return m_control->sent;
    }
    std::vector<std::thread::id> threads() const
    {
        const std::lock_guard lock(m_control->mutex);
        return m_control->threads;
    }

private:
    struct Control {
        Outcome handle(const TarnFeedbackSubmission& submission)
        {
            std::unique_lock lock(mutex);
            sent.push_back(submission);
            threads.push_back(std::this_thread::get_id());
            changed.wait_for(lock, std::chrono::seconds(10), [this] { return !held; });
            return outcome;
        }

        std::mutex mutex;
        std::condition_variable changed;
        bool held = false;
        std::vector<TarnFeedbackSubmission> sent;
        std::vector<std::thread::id> threads;
        Outcome outcome {TarnFeedbackReceipt {"FB-1", 0, "Thanks"}};
    };

    std::shared_ptr<Control> m_control = std::make_shared<Control>();
};

class FeedbackSheetStateTest : public ::testing::Test {
protected:
    std::unique_ptr<TarnFeedbackSheetState> makeState(TarnLanguage sheetLanguage = TarnLanguage::en)
    {
        return makeState(sheetLanguage, submitter.submitter());
    }
    std::unique_ptr<TarnFeedbackSheetState> makeState(
        TarnLanguage sheetLanguage, TarnFeedbackSheetState::Submitter submit)
    {
        return std::make_unique<TarnFeedbackSheetState>(
            TarnFeedbackSheetInputs {"TarnInput", {"1.4.0", "57"}, sheetLanguage, "http://127.0.0.1:9"},
            TarnFeedbackSheetState::Services {
                clipboard, picker, std::move(submit), [this] { return interfaceLanguage; }, clock, &workers});
    }

    // Attaches `count` more small screenshots through the clipboard, then empties it.
    void attach(TarnFeedbackSheetState& state, int count)
    {
        const std::size_t before = state.screenshots().size();
        clipboard.setPng(std::vector<std::uint8_t>(16, 1));
        for (int i = 0; i < count; ++i) {
            state.pasteFromClipboard();
        }
        ASSERT_EQ(state.screenshots().size(), before + static_cast<std::size_t>(count));
        clipboard.setPng(std::nullopt);
    }

    fs::path writeFile(const std::string& name, std::size_t size)
    {
        const fs::path path = folder.path() / name;
        std::ofstream(path, std::ios::binary) << std::string(size, 'x');
        return path;
    }

    // Lets every submission finish and applies its outcome, as the interface thread would.
    void settle()
    {
        ASSERT_TRUE(workers.waitForDone(10'000));
        QCoreApplication::sendPostedEvents();
    }

    TemporaryFolder folder;
    FakeClipboardImageSource clipboard;
    FakeScreenshotFilePicker picker;
    FakeClock clock;
    TarnLanguage interfaceLanguage = TarnLanguage::en;
    ScriptedSubmitter submitter;
    // Last, so that its destructor waits for the workers before anything they use goes.
    QThreadPool workers;
};

TEST_F(FeedbackSheetStateTest, StartsAsAnEmptyFeatureForm)
{
    const auto state = makeState();
    EXPECT_EQ(state->kind(), TarnFeedbackKind::feature);
    EXPECT_TRUE(state->email().empty() && state->senderName().empty() && state->subject().empty()
        && state->message().empty() && state->screenshots().empty());
    EXPECT_FALSE(state->isSubmitting());
    EXPECT_FALSE(state->errorMessage() || state->statusHint() || state->receipt());
}

TEST_F(FeedbackSheetStateTest, PasteFollowsTheCountAndSizeLimits)
{
    struct Case {
        const char* name;
        int attached;
        std::optional<std::size_t> clipboardBytes;
        std::size_t expectedCount;
        std::optional<std::string> expectedError;
        std::optional<std::string> expectedHint;
        int expectedReads;
    };
    // Before each paste the hint is the one the attaching left, or with nothing attached the one
    // an empty clipboard gave.
    const Case cases[] = {
        {"five attached: the clipboard is not read", 5, 100, 5, kTooMany, kPasted, 0},
        {"four attached: the fifth is added", 4, 100, 5, std::nullopt, kPasted, 1},
        {"empty clipboard: a hint, not an error", 0, std::nullopt, 0, std::nullopt, kNoImage, 1},
        {"exactly the limit is accepted", 0, kLimit, 1, std::nullopt, kPasted, 1},
        {"one byte over: an error, the hint kept", 0, kLimit + 1, 0, kTooLarge, kNoImage, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto state = makeState();
        attach(*state, c.attached);
        if (c.attached == 0) {
            state->pasteFromClipboard();
        }
        const int readsBefore = clipboard.reads();
        if (c.clipboardBytes) {
            clipboard.setPng(std::vector<std::uint8_t>(*c.clipboardBytes, 7));
        }
        state->pasteFromClipboard();
        EXPECT_EQ(state->screenshots().size(), c.expectedCount);
        EXPECT_EQ(state->errorMessage(), c.expectedError);
        EXPECT_EQ(state->statusHint(), c.expectedHint);
        EXPECT_EQ(clipboard.reads() - readsBefore, c.expectedReads);
    }
}

TEST_F(FeedbackSheetStateTest, APastedImageIsAPngNamedAfterTheTime)
{
    const auto state = makeState();
    clipboard.setPng(std::vector<std::uint8_t> {0x89, 'P', 'N', 'G'});
    state->pasteFromClipboard();
    ASSERT_EQ(state->screenshots().size(), 1U);
    const auto& pasted = state->screenshots()[0];
    EXPECT_EQ(pasted.filename, "clipboard-1765000000.png");
    EXPECT_EQ(pasted.mimeType, "image/png");
    EXPECT_EQ(pasted.data, (std::vector<std::uint8_t> {0x89, 'P', 'N', 'G'}));
}

TEST_F(FeedbackSheetStateTest, HintsFollowTheSheetAndErrorsTheInterfaceLanguage)
{
    interfaceLanguage = TarnLanguage::en;
    const auto turkishSheet = makeState(TarnLanguage::tr);
    turkishSheet->pasteFromClipboard();
    EXPECT_EQ(turkishSheet->statusHint(),
        "Panoda görsel bulunamadı. Önce ekran görüntüsü alıp ardından Panodan Yapıştır'a tıklayın.");
    attach(*turkishSheet, 5);
    EXPECT_EQ(turkishSheet->statusHint(), "Panodaki ekran görüntüsü eklendi.");
    turkishSheet->pasteFromClipboard();
    EXPECT_EQ(turkishSheet->errorMessage(), kTooMany);

    interfaceLanguage = TarnLanguage::tr;
    const auto englishSheet = makeState(TarnLanguage::en);
    clipboard.setPng(std::vector<std::uint8_t>(kLimit + 1, 1));
    englishSheet->pasteFromClipboard();
    EXPECT_EQ(englishSheet->errorMessage(), "Her ekran görüntüsü en fazla 5 MB olabilir.");
    attach(*englishSheet, 5);
    englishSheet->pasteFromClipboard();
    EXPECT_EQ(englishSheet->errorMessage(), "En fazla 5 ekran görüntüsü ekleyebilirsiniz.");
}

TEST_F(FeedbackSheetStateTest, MimeTypeFollowsTheExtensionInAnyCase)
{
    const std::pair<const char*, const char*> cases[] = {
        {"a.jpg", "image/jpeg"},
        {"a.JPG", "image/jpeg"},
        {"a.jpeg", "image/jpeg"},
        {"a.JpEg", "image/jpeg"},
        {"b.webp", "image/webp"},
        {"b.WEBP", "image/webp"},
        {"c.gif", "image/gif"},
        {"c.GIF", "image/gif"},
        {"d.png", "image/png"},
        {"d.PNG", "image/png"},
        {"e.heic", "image/png"},
        {"no-extension", "image/png"},
        {"jpg", "image/png"},
        {"archive.jpg.zip", "image/png"},
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(TarnFeedbackSheetState::mimeTypeForFile(fs::path("/pictures") / name), expected) << name;
    }
}

TEST_F(FeedbackSheetStateTest, PickAppendsInOrderAndSkipsWhatCannotBeRead)
{
    const auto state = makeState();
    fs::create_directory(folder.path() / "folder.png");
    ASSERT_EQ(::mkfifo((folder.path() / "pipe.png").c_str(), 0600), 0);
    picker.setChoice(std::vector<fs::path> {writeFile("a.png", 3), writeFile("b.JPG", 4), writeFile("empty.png", 0),
        folder.path() / "missing.png", folder.path() / "folder.png", folder.path() / "pipe.png", writeFile("c.WebP", 5),
        writeFile("d.gif", 6)});
    QSignalSpy screenshotsChanged(state.get(), &TarnFeedbackSheetState::screenshotsChanged);

    state->pickScreenshotsFromDisk();
    ASSERT_EQ(state->screenshots().size(), 4U);
    const std::vector<std::tuple<std::string, std::string, std::size_t>> expected {
        {"a.png", "image/png", 3}, {"b.JPG", "image/jpeg", 4}, {"c.WebP", "image/webp", 5}, {"d.gif", "image/gif", 6}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& [filename, mimeType, size] = expected[i];
        EXPECT_EQ(state->screenshots()[i].filename, filename);
        EXPECT_EQ(state->screenshots()[i].mimeType, mimeType);
        EXPECT_EQ(state->screenshots()[i].data, std::vector<std::uint8_t>(size, 'x'));
    }
    EXPECT_NE(state->screenshots()[0].id, state->screenshots()[1].id);
    EXPECT_FALSE(state->errorMessage()) << "unreadable and empty files are skipped silently";
    EXPECT_EQ(screenshotsChanged.size(), 1);
}

TEST_F(FeedbackSheetStateTest, PickStopsAtFiveAndRefusesOversizedFiles)
{
    struct Case {
        const char* name;
        int attached;
        std::vector<std::size_t> sizes;
        std::size_t expectedCount;
        std::optional<std::string> expectedError;
    };
    const Case cases[] = {
        {"four attached: the first is added, the second stops the pick", 4, {10, 20, 30}, 5, kTooMany},
        {"exactly the limit is accepted", 0, {kLimit}, 1, std::nullopt},
        {"one byte over is refused", 0, {kLimit + 1}, 0, kTooLarge},
        {"a later file is added and the error stays", 0, {kLimit + 1, 10}, 1, kTooLarge},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto state = makeState();
        attach(*state, c.attached);
        std::vector<fs::path> files;
        for (std::size_t i = 0; i < c.sizes.size(); ++i) {
            files.push_back(writeFile("file" + std::to_string(i) + ".png", c.sizes[i]));
        }
        picker.setChoice(files);
        state->pickScreenshotsFromDisk();
        EXPECT_EQ(state->screenshots().size(), c.expectedCount);
        EXPECT_EQ(state->errorMessage(), c.expectedError);
        if (c.attached == 4) {
            EXPECT_EQ(state->screenshots().back().filename, "file0.png");
        }
    }
}

TEST_F(FeedbackSheetStateTest, AHugeFileIsRefusedByItsSizeWithoutBeingRead)
{
    const auto state = makeState();
    const fs::path huge = folder.path() / "huge.png";
    std::ofstream(huge).close();
    // Sparse: six gigabytes that take no room, and that no test could read in time.
    fs::resize_file(huge, std::uintmax_t {6} << 30);
    picker.setChoice(std::vector<fs::path> {huge});
    state->pickScreenshotsFromDisk();
    EXPECT_TRUE(state->screenshots().empty());
    EXPECT_EQ(state->errorMessage(), kTooLarge);
}

TEST_F(FeedbackSheetStateTest, PickClearsTheErrorEvenWhenCancelledAndLeavesTheHint)
{
    const auto state = makeState();
    state->pasteFromClipboard();
    attach(*state, 5);
    state->pasteFromClipboard();
    ASSERT_EQ(state->errorMessage(), kTooMany);
    picker.setChoice(std::nullopt);
    state->pickScreenshotsFromDisk();
    EXPECT_EQ(picker.requests(), 1);
    EXPECT_FALSE(state->errorMessage());
    EXPECT_EQ(state->statusHint(), kPasted);
    EXPECT_EQ(state->screenshots().size(), 5U);
}

TEST_F(FeedbackSheetStateTest, RemoveTakesThatScreenshotAndKeepsTheLines)
{
    const auto state = makeState();
    const fs::path file = writeFile("thrice.png", 8);
    picker.setChoice(std::vector<fs::path> {file, file, file});
    state->pickScreenshotsFromDisk();
    attach(*state, 2);
    state->pasteFromClipboard();
    ASSERT_EQ(state->errorMessage(), kTooMany);
    const Uuid kept = state->screenshots()[0].id;
    const Uuid removed = state->screenshots()[1].id;

    state->removeScreenshot(removed);
    ASSERT_EQ(state->screenshots().size(), 4U);
    EXPECT_EQ(state->screenshots()[0].id, kept);
    EXPECT_EQ(state->errorMessage(), kTooMany);
    EXPECT_EQ(state->statusHint(), kPasted);

    QSignalSpy screenshotsChanged(state.get(), &TarnFeedbackSheetState::screenshotsChanged);
    state->removeScreenshot(removed);
    EXPECT_EQ(screenshotsChanged.size(), 0) << "nothing left to remove";

    // The next paste clears the error line first.
    clipboard.setPng(std::vector<std::uint8_t>(16, 1));
    state->pasteFromClipboard();
    EXPECT_FALSE(state->errorMessage());
    EXPECT_EQ(state->screenshots().size(), 5U);
}

TEST_F(FeedbackSheetStateTest, SubmitSendsASnapshotFromAWorkerAndShowsTheReceipt)
{
    const auto state = makeState(TarnLanguage::tr);
    state->setKind(TarnFeedbackKind::bug);
    state->setEmail(" ada@example.org ");
    state->setSenderName("Ada");
    state->setSubject("Wheel");
    state->setMessage("The wheel stutters after wake-up.");
    attach(*state, 1);
    submitter.answer(TarnFeedbackReceipt {"FB-42", 1, "Received"});
    submitter.hold();

    std::vector<std::thread::id> signalThreads;
    QObject::connect(state.get(), &TarnFeedbackSheetState::submissionChanged, state.get(),
        [&signalThreads] { signalThreads.push_back(std::this_thread::get_id()); });
    state->submitFeedback();
    EXPECT_TRUE(state->isSubmitting());
    EXPECT_FALSE(state->errorMessage());

    // Edits during the submission, and a second press of Send, change nothing that is sent.
    state->setMessage("Something else entirely.");
    state->setKind(TarnFeedbackKind::general);
    attach(*state, 1);
    state->submitFeedback();
    submitter.release();
    settle();

    const std::vector<TarnFeedbackSubmission> allSent = submitter.sent();
    ASSERT_EQ(allSent.size(), 1U);
    const TarnFeedbackSubmission& sent = allSent[0];
    EXPECT_EQ(sent.appName, "TarnInput");
    EXPECT_EQ(sent.version, (TarnAppVersion {"1.4.0", "57"}));
    EXPECT_EQ(sent.kind, TarnFeedbackKind::bug);
    EXPECT_EQ(sent.email, " ada@example.org ") << "sent untrimmed; the service trims";
    EXPECT_EQ(sent.senderName, "Ada");
    EXPECT_EQ(sent.subject, "Wheel");
    EXPECT_EQ(sent.message, "The wheel stutters after wake-up.");
    EXPECT_EQ(sent.screenshots.size(), 1U);
    EXPECT_EQ(sent.language, TarnLanguage::tr);
    EXPECT_EQ(sent.baseURL, "http://127.0.0.1:9");
    EXPECT_NE(submitter.threads()[0], std::this_thread::get_id()) << "the request runs off the interface thread";

    EXPECT_FALSE(state->isSubmitting());
    EXPECT_EQ(state->receipt(), (TarnFeedbackReceipt {"FB-42", 1, "Received"}));
    EXPECT_EQ(state->message(), "Something else entirely.") << "the fields keep their values";
    EXPECT_EQ(signalThreads, std::vector<std::thread::id>(2, std::this_thread::get_id()));
}

TEST_F(FeedbackSheetStateTest, AFailureShowsItsTextAndKeepsEverything)
{
    struct Case {
        TarnFeedbackError error;
        TarnLanguage interfaceLanguage;
        std::string expected;
    };
    const Case cases[] = {
        {TarnFeedbackError::invalidEmail(), TarnLanguage::en, "Please enter a valid email address."},
        {TarnFeedbackError::messageTooShort(), TarnLanguage::tr,
            "Lütfen en az 10 karakterlik kısa bir açıklama yazın."},
        {TarnFeedbackError::serverRejected("HTTP 500"), TarnLanguage::tr, "HTTP 500"},
        {TarnFeedbackError::networkFailure("Connection refused", "harrowfen.com"), TarnLanguage::en,
            "Could not reach harrowfen.com (Connection refused). You can open the feedback page in your browser "
            "instead."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        interfaceLanguage = c.interfaceLanguage;
        const auto state = makeState();
        state->setEmail("ada@example.org");
        state->setSubject("Wheel");
        state->setMessage("The wheel stutters.");
        attach(*state, 2);
        submitter.answer(fail(c.error));
        state->submitFeedback();
        settle();
        EXPECT_FALSE(state->isSubmitting());
        EXPECT_EQ(state->errorMessage(), c.expected);
        EXPECT_FALSE(state->receipt());
        EXPECT_EQ(state->email(), "ada@example.org");
        EXPECT_EQ(state->subject(), "Wheel");
        EXPECT_EQ(state->message(), "The wheel stutters.");
        EXPECT_EQ(state->screenshots().size(), 2U);
        EXPECT_EQ(state->statusHint(), kPasted);

        // Sending again clears the line at once.
        submitter.answer(TarnFeedbackReceipt {"FB-2", 2, "ok"});
        state->submitFeedback();
        EXPECT_FALSE(state->errorMessage());
        settle();
    }
}

TEST_F(FeedbackSheetStateTest, AnEmptyEmailSendsNothingThroughTheService)
{
    auto transport = std::make_shared<FakeHttpTransport>();
    const TarnFeedbackService service({[](std::string_view) { return std::optional<std::string> {}; }, nullptr, nullptr,
        transport, "Linux 6.1.0 (x86_64)"});
    const auto state = makeState(TarnLanguage::en, TarnFeedbackSheetState::submitterFor(service));
    state->setMessage("The wheel stutters after wake-up.");
    state->submitFeedback();
    settle();
    EXPECT_EQ(state->errorMessage(), "Please enter a valid email address.");
    EXPECT_TRUE(transport->requests().empty());

    state->setEmail("ada@example.org");
    state->submitFeedback();
    settle();
    EXPECT_FALSE(state->errorMessage());
    EXPECT_EQ(state->receipt(), (TarnFeedbackReceipt {"TARN-FB-OK", 0, "Thank you! Your feedback has been received."}));
    EXPECT_EQ(transport->requests().size(), 1U);
}

TEST_F(FeedbackSheetStateTest, StartOverKeepsTheSenderAndClearsTheReport)
{
    const auto state = makeState();
    state->setKind(TarnFeedbackKind::newApp);
    state->setEmail("ada@example.org");
    state->setSenderName("Ada");
    state->setSubject("Idea");
    state->setMessage("A tool for scrolling spreadsheets sideways.");
    attach(*state, 2);
    state->submitFeedback();
    settle();
    ASSERT_TRUE(state->receipt());

    state->startOver();
    EXPECT_FALSE(state->receipt());
    EXPECT_EQ(state->kind(), TarnFeedbackKind::newApp);
    EXPECT_EQ(state->email(), "ada@example.org");
    EXPECT_EQ(state->senderName(), "Ada");
    EXPECT_TRUE(state->subject().empty());
    EXPECT_TRUE(state->message().empty());
    EXPECT_TRUE(state->screenshots().empty());
    EXPECT_FALSE(state->errorMessage());
    EXPECT_EQ(state->statusHint(), kPasted);
}

TEST_F(FeedbackSheetStateTest, ClosingWhileSendingDropsTheOutcome)
{
    auto state = makeState();
    submitter.hold();
    state->setEmail("ada@example.org");
    state->submitFeedback();
    state.reset();

    // A new form opened meanwhile must not receive the old one's answer.
    const auto newForm = makeState();
    QSignalSpy submissionChanged(newForm.get(), &TarnFeedbackSheetState::submissionChanged);
    submitter.release();
    settle();
    EXPECT_EQ(submitter.sent().size(), 1U);
    EXPECT_EQ(submissionChanged.size(), 0);
    EXPECT_FALSE(newForm->receipt());
    EXPECT_FALSE(newForm->isSubmitting());
}

} // namespace
} // namespace tarn
