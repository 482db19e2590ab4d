#include "TarnKit/Feedback/Composer/Sheet/TarnFeedbackSheet.h"

#include <future>
#include <mutex>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QShortcut>
#include <QTest>
#include <QThreadPool>
#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/FakeClipboardImageSource.h"
#include "Platform/Fake/Foundation/FakeClock.h"
#include "Platform/Fake/Foundation/RecordingUrlOpener.h"
#include "TarnKit/Feedback/Composer/Sheet/QtScreenshotFilePicker.h"
#include "TarnKit/Feedback/Composer/Sheet/TarnFeedbackKindChip.h"
#include "TarnKit/Feedback/Composer/Sheet/TarnFeedbackScreenshotTile.h"
#include "TarnKit/Feedback/Composer/Sheet/TarnTintedProminentButton.h"
#include "TarnKit/Feedback/Composer/tests/FakeScreenshotFilePicker.h"
#include "TarnKit/UI/Brand/TarnBrandMark.h"
#include "TarnKit/UI/Text/TarnSymbolLabel.h"

namespace tarn {
namespace {

// Answers every request with its one answer, but only once the test lets go, so that the sheet
// can be looked at while it sends.
class GatedTransport final : public HttpTransport {
public:
    Result<HttpResponse, std::string> send(const HttpRequest& /*request*/) override
    {
        m_open.wait_for(std::chrono::seconds(10));
        return m_response;
    }
    void answer(int status, std::string body) { m_response = {status, std::move(body)}; }
    void open()
    {
        std::call_once(m_opened, [this] { m_gate.set_value(); });
    }

private:
    std::once_flag m_opened;
    std::promise<void> m_gate;
    std::shared_future<void> m_open = m_gate.get_future().share();
    HttpResponse m_response {200, "{}"};
};

std::vector<std::uint8_t> pngBytes()
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return {bytes.begin(), bytes.end()};
}

class FeedbackSheetTest : public ::testing::Test {
protected:
    ~FeedbackSheetTest() override
    {
        transport->open();
        workers.waitForDone(10'000);
    }

    std::unique_ptr<TarnFeedbackSheet> makeSheet(
        TarnLanguage language = TarnLanguage::en, bool withClose = true, std::string appName = "TarnInput")
    {
        std::function<void()> onClose;
        if (withClose) {
            onClose = [this] { ++closed; };
        }
        auto sheet = std::make_unique<TarnFeedbackSheet>(std::move(appName), TarnAppVersion {"1.4.0", "57"},
            TarnProductPalette::deepViolet, language, std::nullopt, onClose,
            TarnFeedbackSheetServices {feedback, clipboard, [] { return TarnLanguage::en; }, clock, &picker, &workers});
        sheet->resize(620, 900);
        sheet->show();
        return sheet;
    }

    // Lets the submission finish and applies its outcome and any pending deletions.
    void settle()
    {
        transport->open();
        ASSERT_TRUE(workers.waitForDone(10'000));
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    template <typename T = QWidget> static T* child(const QWidget& parent, const char* name)
    {
        return parent.findChild<T*>(QString::fromLatin1(name));
    }

    static void type(const QWidget& sheet, const char* field, const QString& text)
    {
        QTest::keyClicks(child(sheet, field), text);
    }

    std::shared_ptr<GatedTransport> transport = std::make_shared<GatedTransport>();
    std::shared_ptr<RecordingUrlOpener> opener = std::make_shared<RecordingUrlOpener>();
    TarnFeedbackService feedback {
        {[](std::string_view) { return std::optional<std::string> {}; }, nullptr, opener, transport, "Linux"}};
    FakeClipboardImageSource clipboard;
    FakeScreenshotFilePicker picker;
    FakeClock clock;
    int closed = 0;
    QThreadPool workers;
};

TEST_F(FeedbackSheetTest, FourChipsInOrderWithExactlyTheChosenOneSelected)
{
    const auto sheet = makeSheet(TarnLanguage::tr);
    const auto chips = sheet->findChildren<TarnFeedbackKindChip*>();
    ASSERT_EQ(chips.size(), 4);
    const std::pair<TarnFeedbackKind, const char*> expected[]
        = {{TarnFeedbackKind::bug, "Hata Bildirimi"}, {TarnFeedbackKind::feature, "Özellik & İyileştirme"},
            {TarnFeedbackKind::newApp, "Yeni Program Fikri"}, {TarnFeedbackKind::general, "Genel Görüş"}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(chips[i]->kind(), expected[i].first);
        EXPECT_EQ(chips[i]->text(), QString::fromUtf8(expected[i].second));
    }
    // Two equal columns, in reading order.
    EXPECT_EQ(chips[0]->y(), chips[1]->y());
    EXPECT_LT(chips[1]->y(), chips[2]->y());
    EXPECT_LT(chips[0]->x(), chips[1]->x());
    EXPECT_EQ(chips[0]->width(), chips[1]->width());

    const auto selected = [&chips] {
        std::vector<TarnFeedbackKind> kinds;
        for (const auto* chip : chips) {
            if (chip->isSelected()) {
                kinds.push_back(chip->kind());
            }
        }
        return kinds;
    };
    EXPECT_EQ(selected(), std::vector {TarnFeedbackKind::feature});
    for (auto* chip : chips) {
        QTest::mouseClick(chip, Qt::LeftButton);
        EXPECT_EQ(sheet->state().kind(), chip->kind());
        EXPECT_EQ(selected(), std::vector {chip->kind()});
    }
}

TEST_F(FeedbackSheetTest, FieldsEditTheStateAsTyped)
{
    const auto sheet = makeSheet();
    type(*sheet, "emailField", QStringLiteral(" ada@example.org"));
    type(*sheet, "nameField", QStringLiteral("Ada"));
    type(*sheet, "subjectField", QStringLiteral("Wheel"));
    type(*sheet, "messageField", QStringLiteral("Stutters  "));
    EXPECT_EQ(sheet->state().email(), " ada@example.org");
    EXPECT_EQ(sheet->state().senderName(), "Ada");
    EXPECT_EQ(sheet->state().subject(), "Wheel");
    EXPECT_EQ(sheet->state().message(), "Stutters  ");
    EXPECT_EQ(child<QLineEdit>(*sheet, "emailField")->placeholderText(), QStringLiteral("name@example.com"));
    EXPECT_EQ(child<QLineEdit>(*sheet, "subjectField")->placeholderText(), QStringLiteral("Summarize in one line…"));
    EXPECT_GE(child(*sheet, "messageField")->height(), 105);
}

TEST_F(FeedbackSheetTest, OnlySendIsDisabledWhileSubmittingAndTheReceiptReplacesTheForm)
{
    const auto sheet = makeSheet();
    transport->answer(201, R"({"reference_code":"FB-9","attachments_count":0})");
    type(*sheet, "emailField", QStringLiteral("ada@example.org"));
    type(*sheet, "messageField", QStringLiteral("The wheel stutters after wake-up."));
    auto* send = child<TarnTintedProminentButton>(*sheet, "sendButton");
    EXPECT_TRUE(send->isEnabled());
    EXPECT_EQ(send->text(), QStringLiteral("Send Feedback"));

    QTest::mouseClick(send, Qt::LeftButton);
    EXPECT_FALSE(send->isEnabled());
    EXPECT_TRUE(send->isBusy());
    EXPECT_EQ(send->text(), QStringLiteral("Sending…"));
    for (const char* name : {"openInBrowserButton", "pasteScreenshotButton", "chooseScreenshotButton", "emailField",
             "nameField", "subjectField", "messageField", "kindChip_bug"}) {
        EXPECT_TRUE(child(*sheet, name)->isEnabled()) << name;
    }
    QTest::mouseClick(child(*sheet, "openInBrowserButton"), Qt::LeftButton);
    EXPECT_EQ(opener->opened().size(), 1U) << "the web page opens while the report is under way";

    settle();
    EXPECT_TRUE(send->isEnabled());
    EXPECT_FALSE(send->isBusy());
    EXPECT_TRUE(child(*sheet, "composerForm")->isHidden());
    EXPECT_TRUE(child(*sheet, "receiptCard")->isVisible());
    EXPECT_EQ(child<QLabel>(*sheet, "receiptTitle")->text(), QStringLiteral("Thank you for sharing!"));
    EXPECT_EQ(
        child<QLabel>(*sheet, "receiptMessage")->text(), QStringLiteral("Thank you! Your feedback has been received."));
    EXPECT_EQ(child<QLabel>(*sheet, "receiptReference")->text(), QStringLiteral("Reference: FB-9"));
    EXPECT_TRUE(child(*sheet, "receiptAttachments")->isHidden()) << "no camera line without attachments";

    // Send Another Note: the form again, with the title and details emptied.
    QTest::mouseClick(child(*sheet, "sendAnotherButton"), Qt::LeftButton);
    EXPECT_TRUE(child(*sheet, "composerForm")->isVisible());
    EXPECT_TRUE(child(*sheet, "receiptCard")->isHidden());
    EXPECT_EQ(child<QLineEdit>(*sheet, "emailField")->text(), QStringLiteral("ada@example.org"));
    EXPECT_TRUE(child<QPlainTextEdit>(*sheet, "messageField")->toPlainText().isEmpty());
}

TEST_F(FeedbackSheetTest, TheReceiptCountsAttachmentsInTheSheetsLanguage)
{
    const auto sheet = makeSheet(TarnLanguage::tr);
    transport->answer(200, R"({"reference_code":"FB-3","attachments_count":2,"message":"Alındı"})");
    sheet->state().setEmail("ada@example.org");
    sheet->state().setMessage("Tekerlek takılıyor, lütfen bakın.");
    sheet->state().submitFeedback();
    EXPECT_EQ(child<QAbstractButton>(*sheet, "sendButton")->text(), QStringLiteral("Gönderiliyor…"));
    settle();
    EXPECT_EQ(
        child<QLabel>(*sheet, "receiptTitle")->text(), QStringLiteral("Zaman ayırıp yazdığınız için teşekkürler!"));
    EXPECT_EQ(child<QLabel>(*sheet, "receiptMessage")->text(), QStringLiteral("Alındı"));
    EXPECT_EQ(child<QLabel>(*sheet, "receiptReference")->text(), QStringLiteral("Takip Kodu: FB-3"));
    auto* attachments = child<TarnSymbolLabel>(*sheet, "receiptAttachments");
    EXPECT_TRUE(attachments->isVisible());
    EXPECT_EQ(attachments->symbol(), "camera.fill");
    EXPECT_EQ(attachments->text(), QStringLiteral("2"));
    EXPECT_EQ(child<QAbstractButton>(*sheet, "doneButton")->text(), QStringLiteral("Tamam"));
}

TEST_F(FeedbackSheetTest, CloseControlEscapeAndDoneExistOnlyWithOnClose)
{
    const auto open = makeSheet(TarnLanguage::en, false);
    EXPECT_FALSE(open->hasCloseControl());
    EXPECT_EQ(child(*open, "closeButton"), nullptr);
    EXPECT_EQ(child(*open, "doneButton"), nullptr);
    EXPECT_EQ(open->findChild<QShortcut*>(), nullptr) << "nothing is bound to Escape";
    EXPECT_NE(child(*open, "sendAnotherButton"), nullptr);

    const auto closable = makeSheet();
    closable->state().setKind(TarnFeedbackKind::general);
    QTest::mouseClick(child(*closable, "closeButton"), Qt::LeftButton);
    EXPECT_EQ(closed, 1);
    QApplication::setActiveWindow(closable.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(closable.get()));
    child(*closable, "subjectField")->setFocus();
    QTest::keyClick(child(*closable, "subjectField"), Qt::Key_Escape);
    EXPECT_EQ(closed, 2);
    child<QAbstractButton>(*closable, "doneButton")->click();
    EXPECT_EQ(closed, 3);
    EXPECT_EQ(closable->state().kind(), TarnFeedbackKind::general) << "closing changes nothing in the state";
}

TEST_F(FeedbackSheetTest, RightToLeftLanguagesMirrorTheWholeSheet)
{
    for (const TarnLanguage language :
        {TarnLanguage::en, TarnLanguage::tr, TarnLanguage::ar, TarnLanguage::fa, TarnLanguage::he}) {
        SCOPED_TRACE(std::string(rawValue(language)));
        const auto sheet = makeSheet(language);
        const bool mirrored = isRTL(language);
        EXPECT_EQ(sheet->layoutDirection(), mirrored ? Qt::RightToLeft : Qt::LeftToRight);
        const int mark = child(*sheet, "brandMark")->mapTo(sheet.get(), QPoint()).x();
        const int close = child(*sheet, "closeButton")->mapTo(sheet.get(), QPoint()).x();
        const int send = child(*sheet, "sendButton")->mapTo(sheet.get(), QPoint()).x();
        const int browser = child(*sheet, "openInBrowserButton")->mapTo(sheet.get(), QPoint()).x();
        EXPECT_EQ(mark > close, mirrored);
        EXPECT_EQ(browser > send, mirrored);
        const auto* title = child<QLabel>(*sheet, "sheetTitle");
        EXPECT_EQ(title->alignment().testFlag(Qt::AlignRight), mirrored);
        EXPECT_EQ(title->text(),
            language == TarnLanguage::tr ? QStringLiteral("Sizi dinleyerek programlarımızı sürekli geliştiriyoruz")
                                         : QStringLiteral("We continuously improve our programs by listening to you"));
    }
}

TEST_F(FeedbackSheetTest, HeaderNamesTheApplicationAndShowsItsMark)
{
    const auto known = makeSheet(TarnLanguage::en, true, "TarnInput");
    EXPECT_EQ(child<QLabel>(*known, "sheetSubtitle")->text(),
        QStringLiteral("Spotted a bug in TarnInput, have a feature wish, or a new app idea? Share your email and an "
                       "optional screenshot."));
    const auto& style = child<TarnBrandMark>(*known, "brandMark")->style();
    EXPECT_EQ(style.kind(), TarnBrandMarkStyle::Kind::app);
    EXPECT_EQ(style.appIdentity(), TarnAppIdentity::tarnInput);
    EXPECT_EQ(child<QLabel>(*known, "versionLine")->text(), QStringLiteral("TarnInput v1.4.0"));

    const auto unknown = makeSheet(TarnLanguage::tr, true, "Some Other Tool");
    EXPECT_EQ(child<TarnBrandMark>(*unknown, "brandMark")->style().kind(), TarnBrandMarkStyle::Kind::currentApp);
    EXPECT_EQ(child<QLabel>(*unknown, "sheetSubtitle")->text(),
        QStringLiteral("Some Other Tool içinde bir hata mı gördünüz, özellik öneriniz ya da yeni bir program fikriniz "
                       "mi var? E-postanız ve ekran görüntüsüyle bize yazın."));
    EXPECT_GE(unknown->minimumWidth(), 560);
    EXPECT_GE(unknown->minimumHeight(), 540);
}

TEST_F(FeedbackSheetTest, TilesShowEachScreenshotAndRemoveIt)
{
    const auto sheet = makeSheet();
    EXPECT_TRUE(child(*sheet, "screenshotScroller")->isHidden());
    EXPECT_TRUE(child(*sheet, "statusHint")->isHidden());
    clipboard.setPng(pngBytes());
    QTest::mouseClick(child(*sheet, "pasteScreenshotButton"), Qt::LeftButton);
    clipboard.setPng(std::vector<std::uint8_t>(1500, 0x42));
    QTest::mouseClick(child(*sheet, "pasteScreenshotButton"), Qt::LeftButton);
    EXPECT_EQ(child<QLabel>(*sheet, "statusHint")->text(), QStringLiteral("Screenshot pasted from clipboard."));
    EXPECT_TRUE(child(*sheet, "statusHint")->isVisible());

    auto tiles = sheet->findChildren<TarnFeedbackScreenshotTile*>();
    ASSERT_EQ(tiles.size(), 2);
    EXPECT_TRUE(child(*sheet, "screenshotScroller")->isVisible());
    // Pictures are decoded on a worker, never inside the click: they arrive afterwards.
    EXPECT_FALSE(tiles[0]->hasPicture());
    EXPECT_NE(tiles[1]->findChild<QWidget*>(QStringLiteral("screenshotPicture")), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return tiles[0]->hasPicture(); }));
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return tiles[1]->findChild<QWidget*>(QStringLiteral("screenshotPicture")) == nullptr;
    })) << "undecodable bytes still get a tile, without a picture";
    EXPECT_FALSE(tiles[1]->hasPicture());
    EXPECT_EQ(tiles[1]->findChild<QLabel*>(QStringLiteral("screenshotSize"))->text(), QStringLiteral("1.5 KB"));
    EXPECT_EQ(tiles[0]->width(), 124);
    EXPECT_EQ(tiles[0]->findChild<QWidget*>(QStringLiteral("screenshotPicture"))->size(), QSize(112, 68));

    const Uuid kept = tiles[1]->screenshotId();
    QTest::mouseClick(tiles[0]->removeButton(), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(sheet->state().screenshots().size(), 1U);
    EXPECT_EQ(sheet->state().screenshots()[0].id, kept);
    tiles = sheet->findChildren<TarnFeedbackScreenshotTile*>();
    ASSERT_EQ(tiles.size(), 1);
    EXPECT_EQ(tiles[0]->screenshotId(), kept);
}

TEST_F(FeedbackSheetTest, TheErrorLineShowsTheStatesErrorAndPickUsesThePicker)
{
    const auto sheet = makeSheet();
    EXPECT_TRUE(child(*sheet, "errorLine")->isHidden());
    QTest::mouseClick(child(*sheet, "sendButton"), Qt::LeftButton);
    settle();
    EXPECT_TRUE(child(*sheet, "errorLine")->isVisible());
    EXPECT_EQ(child<QLabel>(*sheet, "errorMessage")->text(), QStringLiteral("Please enter a valid email address."));

    picker.setChoice(std::nullopt);
    QTest::mouseClick(child(*sheet, "chooseScreenshotButton"), Qt::LeftButton);
    EXPECT_EQ(picker.requests(), 1);
    EXPECT_TRUE(child(*sheet, "errorLine")->isHidden()) << "a pick starts by clearing the error line";
}

TEST_F(FeedbackSheetTest, OpenInBrowserUsesTheCurrentKindAndLanguage)
{
    const auto sheet = makeSheet(TarnLanguage::tr);
    QTest::mouseClick(child(*sheet, "kindChip_new_app"), Qt::LeftButton);
    QTest::mouseClick(child(*sheet, "openInBrowserButton"), Qt::LeftButton);
    ASSERT_EQ(opener->opened().size(), 1U);
    EXPECT_TRUE(opener->opened()[0].starts_with("https://harrowfen.com/tr/geri-bildirim?type=new_app&"))
        << opener->opened()[0];
}

TEST(QtScreenshotFilePicker, OffersTheFourImageTypesInAnyCase)
{
    const QString filter = QtScreenshotFilePicker::nameFilter();
    EXPECT_TRUE(filter.startsWith(QStringLiteral("PNG, JPEG, WebP, GIF ("))) << filter.toStdString();
    const auto matches = [](const QString& name) {
        for (const QString& pattern : QtScreenshotFilePicker::namePatterns()) {
            if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern)).match(name).hasMatch()) {
                return true;
            }
        }
        return false;
    };
    for (const char* name : {"shot.png", "SHOT.PNG", "IMG_0001.JPG", "a.jpeg", "a.JpEg", "b.WebP", "c.GIF"}) {
        EXPECT_TRUE(matches(QString::fromLatin1(name))) << name;
    }
    for (const char* name : {"photo.heic", "notes.txt", "png", "shot.png.txt"}) {
        EXPECT_FALSE(matches(QString::fromLatin1(name))) << name;
    }
}

} // namespace
} // namespace tarn
