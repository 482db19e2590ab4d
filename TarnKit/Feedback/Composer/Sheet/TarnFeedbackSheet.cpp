#include "TarnKit/Feedback/Composer/Sheet/TarnFeedbackSheet.h"

#include <algorithm>
#include <cmath>
#include <map>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTextDocument>
#include <QTextOption>
#include <QVBoxLayout>

#include "TarnKit/Feedback/Composer/Sheet/QtScreenshotFilePicker.h"
#include "TarnKit/Feedback/Composer/Sheet/TarnFeedbackKindChip.h"
#include "TarnKit/Feedback/Composer/Sheet/TarnFeedbackScreenshotTile.h"
#include "TarnKit/Feedback/Composer/Sheet/TarnFeedbackThumbnailLoader.h"
#include "TarnKit/Feedback/Composer/Sheet/TarnTintedProminentButton.h"
#include "TarnKit/Foundation/Identity/TarnAppIdentity.h"
#include "TarnKit/UI/Brand/TarnBrandMark.h"
#include "TarnKit/UI/Buttons/TarnGlassButton.h"
#include "TarnKit/UI/Buttons/TarnSheetCloseButton.h"
#include "TarnKit/UI/Glass/TarnCardColumn.h"
#include "TarnKit/UI/Glass/TarnCardHeader.h"
#include "TarnKit/UI/Glass/TarnGlassCard.h"
#include "TarnKit/UI/Glass/TarnGlassInputField.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Glass/TarnGroundBackground.h"
#include "TarnKit/UI/Glass/TarnRoundedPanel.h"
#include "TarnKit/UI/Text/TarnLabel.h"
#include "TarnKit/UI/Text/TarnQString.h"
#include "TarnKit/UI/Text/TarnSymbolIcons.h"
#include "TarnKit/UI/Text/TarnSymbolLabel.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn {
namespace {

constexpr double kCardPadding = 14;
constexpr double kCardCornerRadius = 14;
constexpr double kFieldCornerRadius = 6;
constexpr int kDetailsMinimumHeight = 105;
constexpr int kDetailsPadding = 6;
constexpr double kErrorFillOpacity = 0.22;

// A symbol on its own, not a control.
class SymbolView : public QWidget {
public:
    SymbolView(std::string symbol, double side, QColor color)
        : m_symbol(std::move(symbol))
        , m_color(std::move(color))
    {
        const int pixels = static_cast<int>(std::ceil(side));
        setFixedSize(pixels, pixels);
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override
    {
        QPainter painter(this);
        TarnSymbolIcons::paint(painter, QRectF(rect()), m_symbol, m_color);
    }

private:
    std::string m_symbol;
    QColor m_color;
};

TarnGlassCard* card(QWidget* content, const char* objectName, double padding = kCardPadding)
{
    return tarnGlassCardAround(content, objectName, padding, kCardCornerRadius);
}

QLabel* fieldLabel(const QString& text)
{
    return tarnLabel(
        text, TarnTextStyles::font(TarnTextStyle::caption, QFont::DemiBold), TarnGlassTokens::textSecondary());
}

QLabel* wrapped(QLabel* label)
{
    label->setWordWrap(true);
    return label;
}

TarnGlassButton* captionButton(const QString& text, std::string symbol, const char* objectName)
{
    auto* button = new TarnGlassButton(text);
    button->setFont(TarnTextStyles::font(TarnTextStyle::caption));
    button->setSymbol(std::move(symbol));
    button->setObjectName(QString::fromLatin1(objectName));
    return button;
}

// The glass and the ground show through a scroll area.
void makeTransparent(QScrollArea* scroll)
{
    scroll->setFrameShape(QFrame::NoFrame);
    QPalette clear = scroll->palette();
    clear.setColor(QPalette::Window, Qt::transparent);
    clear.setColor(QPalette::Base, Qt::transparent);
    scroll->setPalette(clear);
    scroll->setAutoFillBackground(false);
    scroll->viewport()->setAutoFillBackground(false);
}

// Labels and editors align a text by its own direction, so English text would stay on the left
// of a mirrored sheet; there every text starts at the leading edge, the right, as the layout does.
void alignTextsToTheRight(QWidget& content)
{
    const auto right = [](Qt::Alignment alignment) {
        return Qt::AlignRight | Qt::AlignAbsolute | (alignment & Qt::AlignVertical_Mask);
    };
    for (QLabel* label : content.findChildren<QLabel*>()) {
        label->setAlignment(right(label->alignment()));
    }
    for (QLineEdit* edit : content.findChildren<QLineEdit*>()) {
        edit->setAlignment(right(edit->alignment()));
    }
    for (QPlainTextEdit* edit : content.findChildren<QPlainTextEdit*>()) {
        QTextOption option = edit->document()->defaultTextOption();
        option.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
        edit->document()->setDefaultTextOption(option);
    }
}

} // namespace

TarnFeedbackSheet::TarnFeedbackSheet(std::string appName, TarnAppVersion version, TarnProductPalette palette,
    TarnLanguage language, std::optional<std::string> baseURL, std::function<void()> onClose,
    TarnFeedbackSheetServices services, QWidget* parent)
    : QWidget(parent)
    , m_appName(std::move(appName))
    , m_version(std::move(version))
    , m_palette(palette)
    , m_language(language)
    , m_baseURL(std::move(baseURL))
    , m_onClose(std::move(onClose))
    , m_feedback(services.feedback)
{
    setObjectName(QStringLiteral("feedbackSheet"));
    setLayoutDirection(isRTL(m_language) ? Qt::RightToLeft : Qt::LeftToRight);
    setMinimumSize(kMinimumWidth, kMinimumHeight);

    ScreenshotFilePicker* picker = services.picker;
    if (picker == nullptr) {
        m_ownPicker = std::make_unique<QtScreenshotFilePicker>(this, m_language);
        picker = m_ownPicker.get();
    }
    m_state = std::make_unique<TarnFeedbackSheetState>(
        TarnFeedbackSheetInputs {m_appName, m_version, m_language, m_baseURL},
        TarnFeedbackSheetState::Services {services.clipboard, *picker,
            TarnFeedbackSheetState::submitterFor(services.feedback), std::move(services.interfaceLanguage),
            services.clock, services.workers});

    m_thumbnails = new TarnFeedbackThumbnailLoader(this);
    m_ground = new TarnGroundBackground(m_palette, this);
    m_ground->setObjectName(QStringLiteral("groundBackground"));
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("feedbackScroll"));
    makeTransparent(scroll);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(16);
    layout->addWidget(buildHeader());
    m_form = buildForm();
    layout->addWidget(m_form);
    m_receiptCard = buildReceiptCard();
    layout->addWidget(m_receiptCard);
    layout->addStretch(1);
    scroll->setWidget(content);
    if (isRTL(m_language)) {
        alignTextsToTheRight(*content);
    }
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);

    connect(m_state.get(), &TarnFeedbackSheetState::kindChanged, this, &TarnFeedbackSheet::showKind);
    connect(m_state.get(), &TarnFeedbackSheetState::textsChanged, this, &TarnFeedbackSheet::showTexts);
    connect(m_state.get(), &TarnFeedbackSheetState::screenshotsChanged, this, &TarnFeedbackSheet::showScreenshots);
    connect(m_thumbnails, &TarnFeedbackThumbnailLoader::loaded, this, &TarnFeedbackSheet::showThumbnail);
    connect(m_state.get(), &TarnFeedbackSheetState::linesChanged, this, &TarnFeedbackSheet::showLines);
    connect(m_state.get(), &TarnFeedbackSheetState::submissionChanged, this, &TarnFeedbackSheet::showSubmission);
    showKind();
    showTexts();
    showScreenshots();
    showLines();
    showSubmission();
}

TarnFeedbackSheet::~TarnFeedbackSheet() = default;

QWidget* TarnFeedbackSheet::buildHeader()
{
    auto* header = new QWidget;
    header->setObjectName(QStringLiteral("sheetHeader"));
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    const auto identity = resolveTarnAppIdentity(m_appName);
    auto* mark
        = new TarnBrandMark(28, identity ? TarnBrandMarkStyle::app(*identity) : TarnBrandMarkStyle::currentApp());
    mark->setObjectName(QStringLiteral("brandMark"));
    row->addWidget(mark, 0, Qt::AlignTop);

    QVBoxLayout* titles = nullptr;
    QWidget* titleColumn = tarnCardColumn(4, titles);
    titles->addWidget(wrapped(tarnLabel(tarnQText("We continuously improve our programs by listening to you",
                                            "Sizi dinleyerek programlarımızı sürekli geliştiriyoruz", m_language),
        TarnTextStyles::systemFont(16, QFont::Bold), Qt::white, "sheetTitle")));
    titles->addWidget(wrapped(
        tarnLabel(tarnQText("Spotted a bug in " + m_appName
                          + ", have a feature wish, or a new app idea? Share your email and an optional screenshot.",
                      m_appName
                          + " içinde bir hata mı gördünüz, özellik öneriniz ya da yeni bir program fikriniz mi var? "
                            "E-postanız ve ekran görüntüsüyle bize yazın.",
                      m_language),
            TarnTextStyles::font(TarnTextStyle::caption), TarnGlassTokens::textSecondary(), "sheetSubtitle")));
    row->addWidget(titleColumn, 1, Qt::AlignTop);

    if (m_onClose) {
        row->addWidget(new TarnSheetCloseButton(*this, [this] { m_onClose(); }), 0, Qt::AlignTop);
    }
    return header;
}

QWidget* TarnFeedbackSheet::buildForm()
{
    QVBoxLayout* layout = nullptr;
    QWidget* form = tarnCardColumn(14, layout);
    form->setObjectName(QStringLiteral("composerForm"));
    layout->addWidget(buildTopicCard());
    layout->addWidget(buildContactCard());
    layout->addWidget(buildScreenshotsCard());
    layout->addWidget(buildErrorLine());
    layout->addWidget(buildActionRow());
    return form;
}

QWidget* TarnFeedbackSheet::buildTopicCard()
{
    QVBoxLayout* layout = nullptr;
    QWidget* content = tarnCardColumn(10, layout);
    layout->addWidget(fieldLabel(tarnQText("What is this about?", "Konu türü", m_language)));
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(8);
    grid->setHorizontalSpacing(8);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(0, 10);
    grid->setColumnMinimumWidth(1, 10);
    const QColor accent = accentColor(m_palette);
    for (std::size_t i = 0; i < kAllTarnFeedbackKinds.size(); ++i) {
        auto* chip = new TarnFeedbackKindChip(kAllTarnFeedbackKinds[i], m_language, accent);
        connect(chip, &QAbstractButton::clicked, this, [this, kind = chip->kind()] { m_state->setKind(kind); });
        grid->addWidget(chip, static_cast<int>(i / 2), static_cast<int>(i % 2));
        m_chips.push_back(chip);
    }
    layout->addLayout(grid);
    return card(content, "topicCard");
}

QLineEdit* TarnFeedbackSheet::addLineField(QLayout* layout, const char* name, std::string_view labelEn,
    std::string_view labelTr, std::string_view placeholderEn, std::string_view placeholderTr,
    void (TarnFeedbackSheetState::*setter)(std::string))
{
    QVBoxLayout* fieldLayout = nullptr;
    QWidget* field = tarnCardColumn(4, fieldLayout);
    fieldLayout->addWidget(fieldLabel(tarnQText(labelEn, labelTr, m_language)));
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->setPlaceholderText(tarnQText(placeholderEn, placeholderTr, m_language));
    tarnGlassInputField(edit, kFieldCornerRadius, 8, 5);
    connect(edit, &QLineEdit::textEdited, this,
        [this, setter](const QString& value) { (m_state.get()->*setter)(value.toStdString()); });
    fieldLayout->addWidget(edit);
    layout->addWidget(field);
    return edit;
}

QWidget* TarnFeedbackSheet::buildContactCard()
{
    QVBoxLayout* layout = nullptr;
    QWidget* content = tarnCardColumn(12, layout);
    auto* contactRow = new QHBoxLayout;
    contactRow->setSpacing(10);
    m_email = addLineField(contactRow, "emailField", "Your Email *", "E-posta Adresiniz *", "name@example.com",
        "adiniz@example.com", &TarnFeedbackSheetState::setEmail);
    m_senderName = addLineField(contactRow, "nameField", "Name (optional)", "Adınız (opsiyonel)", "Optional",
        "Opsiyonel", &TarnFeedbackSheetState::setSenderName);
    layout->addLayout(contactRow);
    m_subject = addLineField(layout, "subjectField", "Short Title *", "Kısa Başlık *", "Summarize in one line…",
        "Konuyu tek cümlede özetleyin…", &TarnFeedbackSheetState::setSubject);

    QVBoxLayout* detailsLayout = nullptr;
    QWidget* details = tarnCardColumn(4, detailsLayout);
    detailsLayout->addWidget(fieldLabel(tarnQText("Details *", "Detaylar / Fikriniz *", m_language)));
    auto* frame = new TarnRoundedPanel(TarnGlassTokens::surface1(), 8, TarnGlassTokens::borderSubtle());
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(kDetailsPadding, kDetailsPadding, kDetailsPadding, kDetailsPadding);
    m_message = new QPlainTextEdit;
    m_message->setObjectName(QStringLiteral("messageField"));
    m_message->setFrameShape(QFrame::NoFrame);
    m_message->setFont(TarnTextStyles::font(TarnTextStyle::body));
    // Its own height, not the slack of the sheet; longer text scrolls inside.
    m_message->setFixedHeight(kDetailsMinimumHeight);
    QPalette palette = m_message->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    palette.setColor(QPalette::Text, TarnGlassTokens::textPrimary());
    m_message->setPalette(palette);
    m_message->viewport()->setAutoFillBackground(false);
    connect(m_message, &QPlainTextEdit::textChanged, this,
        [this] { m_state->setMessage(m_message->toPlainText().toStdString()); });
    frameLayout->addWidget(m_message);
    detailsLayout->addWidget(frame);
    layout->addWidget(details);
    return card(content, "contactCard");
}

QWidget* TarnFeedbackSheet::buildScreenshotsCard()
{
    QVBoxLayout* layout = nullptr;
    QWidget* content = tarnCardColumn(10, layout);
    auto* header = new TarnCardHeader("photo.on.rectangle.angled",
        tarnQText("Screenshots (optional, up to 5)", "Ekran Görüntüleri (opsiyonel, en fazla 5)", m_language),
        TarnTextStyles::font(TarnTextStyle::caption, QFont::DemiBold), Qt::white, 8);
    auto* paste = captionButton(
        tarnQText("Paste Clipboard", "Panodan Yapıştır", m_language), "doc.on.clipboard", "pasteScreenshotButton");
    connect(paste, &QAbstractButton::clicked, m_state.get(), &TarnFeedbackSheetState::pasteFromClipboard);
    header->addTrailing(paste);
    auto* choose
        = captionButton(tarnQText("Choose Image…", "Görsel Seç…", m_language), "plus.circle", "chooseScreenshotButton");
    connect(choose, &QAbstractButton::clicked, m_state.get(), &TarnFeedbackSheetState::pickScreenshotsFromDisk);
    header->addTrailing(choose);
    layout->addWidget(header);

    m_hint = wrapped(
        tarnLabel({}, TarnTextStyles::font(TarnTextStyle::caption2), TarnGlassTokens::textSecondary(), "statusHint"));
    layout->addWidget(m_hint);

    m_tileScroller = new QScrollArea;
    m_tileScroller->setObjectName(QStringLiteral("screenshotScroller"));
    makeTransparent(m_tileScroller);
    m_tileScroller->setWidgetResizable(true);
    m_tileScroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_tileScroller->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* tiles = new QWidget;
    m_tileRow = new QHBoxLayout(tiles);
    m_tileRow->setContentsMargins(0, 0, 0, 0);
    m_tileRow->setSpacing(10);
    m_tileRow->addStretch(1);
    m_tileScroller->setWidget(tiles);
    layout->addWidget(m_tileScroller);
    return card(content, "screenshotsCard");
}

QWidget* TarnFeedbackSheet::buildErrorLine()
{
    QColor fill = TarnGlassTokens::danger();
    fill.setAlphaF(kErrorFillOpacity);
    m_errorLine = new TarnRoundedPanel(fill, 10);
    m_errorLine->setObjectName(QStringLiteral("errorLine"));
    auto* row = new QHBoxLayout(m_errorLine);
    row->setContentsMargins(10, 10, 10, 10);
    row->setSpacing(8);
    row->addWidget(new SymbolView("exclamationmark.triangle.fill", 13, TarnGlassTokens::warning()));
    m_errorText = wrapped(tarnLabel({}, TarnTextStyles::font(TarnTextStyle::caption), Qt::white, "errorMessage"));
    row->addWidget(m_errorText, 1);
    return m_errorLine;
}

QWidget* TarnFeedbackSheet::buildActionRow()
{
    auto* actions = new QWidget;
    actions->setObjectName(QStringLiteral("actionRow"));
    auto* row = new QHBoxLayout(actions);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    auto* browser
        = captionButton(tarnQText("Open in Browser", "Tarayıcıda Aç", m_language), "safari", "openInBrowserButton");
    connect(browser, &QAbstractButton::clicked, this, &TarnFeedbackSheet::openInBrowser);
    row->addWidget(browser);
    row->addStretch(1);
    row->addWidget(tarnLabel(toQString(m_appName + " v" + m_version.shortVersion),
        TarnTextStyles::font(TarnTextStyle::caption2, QFont::Normal, TarnFontDesign::monospaced),
        TarnGlassTokens::textMuted(), "versionLine"));
    m_send = new TarnTintedProminentButton({}, accentColor(m_palette));
    m_send->setObjectName(QStringLiteral("sendButton"));
    connect(m_send, &QAbstractButton::clicked, m_state.get(), &TarnFeedbackSheetState::submitFeedback);
    row->addWidget(m_send);
    return actions;
}

QWidget* TarnFeedbackSheet::buildReceiptCard()
{
    QVBoxLayout* layout = nullptr;
    QWidget* content = tarnCardColumn(12, layout);

    auto* thanks = new QHBoxLayout;
    thanks->setSpacing(8);
    thanks->addWidget(new SymbolView("checkmark.seal.fill", 22, TarnGlassTokens::success()));
    thanks->addWidget(
        wrapped(tarnLabel(tarnQText("Thank you for sharing!", "Zaman ayırıp yazdığınız için teşekkürler!", m_language),
            TarnTextStyles::font(TarnTextStyle::headline), Qt::white, "receiptTitle")),
        1);
    layout->addLayout(thanks);

    m_receiptMessage = wrapped(tarnLabel(
        {}, TarnTextStyles::font(TarnTextStyle::callout), TarnGlassTokens::textSecondary(), "receiptMessage"));
    layout->addWidget(m_receiptMessage);

    auto* referenceRow = new QHBoxLayout;
    referenceRow->setSpacing(10);
    auto* badge = new TarnRoundedPanel(TarnGlassTokens::surface2(), 8);
    auto* badgeLayout = new QHBoxLayout(badge);
    badgeLayout->setContentsMargins(10, 5, 10, 5);
    m_receiptReference
        = tarnLabel({}, TarnTextStyles::font(TarnTextStyle::caption, QFont::Bold, TarnFontDesign::monospaced),
            TarnGlassTokens::textPrimary(), "receiptReference");
    m_receiptReference->setTextInteractionFlags(Qt::TextSelectableByMouse);
    badgeLayout->addWidget(m_receiptReference);
    referenceRow->addWidget(badge);
    // A camera symbol before the count rather than the camera emoji, which a desktop without a
    // colour emoji font shows as an empty box.
    m_receiptAttachments = new TarnSymbolLabel(
        "camera.fill", {}, TarnTextStyles::font(TarnTextStyle::caption), TarnGlassTokens::textSecondary());
    m_receiptAttachments->setObjectName(QStringLiteral("receiptAttachments"));
    referenceRow->addWidget(m_receiptAttachments);
    referenceRow->addStretch(1);
    layout->addLayout(referenceRow);

    layout->addSpacing(4);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    auto* another
        = captionButton(tarnQText("Send Another Note", "Yeni Bildirim Gönder", m_language), {}, "sendAnotherButton");
    connect(another, &QAbstractButton::clicked, m_state.get(), &TarnFeedbackSheetState::startOver);
    buttons->addWidget(another);
    if (m_onClose) {
        auto* done = new TarnTintedProminentButton(tarnQText("Done", "Tamam", m_language), accentColor(m_palette));
        done->setObjectName(QStringLiteral("doneButton"));
        connect(done, &QAbstractButton::clicked, this, [this] { m_onClose(); });
        buttons->addWidget(done);
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);
    return card(content, "receiptCard", 20);
}

void TarnFeedbackSheet::showKind()
{
    for (TarnFeedbackKindChip* chip : m_chips) {
        chip->setSelected(chip->kind() == m_state->kind());
    }
}

void TarnFeedbackSheet::showTexts()
{
    const auto sync = [](QLineEdit* edit, const std::string& value) {
        const QString wanted = toQString(value);
        if (edit->text() != wanted) {
            const QSignalBlocker blocker(edit);
            edit->setText(wanted);
        }
    };
    sync(m_email, m_state->email());
    sync(m_senderName, m_state->senderName());
    sync(m_subject, m_state->subject());
    const QString message = toQString(m_state->message());
    if (m_message->toPlainText() != message) {
        const QSignalBlocker blocker(m_message);
        m_message->setPlainText(message);
    }
}

void TarnFeedbackSheet::showScreenshots()
{
    // Tiles of screenshots still attached are kept, so their pictures are decoded only once.
    std::map<Uuid, TarnFeedbackScreenshotTile*> previous;
    for (TarnFeedbackScreenshotTile* tile : m_tiles) {
        m_tileRow->removeWidget(tile);
        previous.emplace(tile->screenshotId(), tile);
    }
    m_tiles.clear();
    for (const TarnFeedbackScreenshot& screenshot : m_state->screenshots()) {
        TarnFeedbackScreenshotTile* tile = nullptr;
        if (const auto found = previous.find(screenshot.id); found != previous.end()) {
            tile = found->second;
            previous.erase(found);
        } else {
            tile = new TarnFeedbackScreenshotTile(screenshot);
            connect(tile, &TarnFeedbackScreenshotTile::removeRequested, this,
                [this, id = screenshot.id] { m_state->removeScreenshot(id); });
            m_thumbnails->load(screenshot.id, screenshot.data);
        }
        m_tileRow->insertWidget(static_cast<int>(m_tiles.size()), tile, 0, Qt::AlignTop);
        m_tiles.push_back(tile);
    }
    for (const auto& [id, tile] : previous) {
        // Later: the removal may have been asked for by this tile's own button.
        tile->hide();
        tile->deleteLater();
    }
    m_tileScroller->setVisible(!m_tiles.empty());
    fitTileRow();
}

void TarnFeedbackSheet::showThumbnail(const Uuid& id, const QImage& thumbnail)
{
    const auto tile = std::find_if(m_tiles.begin(), m_tiles.end(),
        [&id](const TarnFeedbackScreenshotTile* candidate) { return candidate->screenshotId() == id; });
    if (tile != m_tiles.end()) {
        (*tile)->showThumbnail(thumbnail);
        fitTileRow();
    }
}

void TarnFeedbackSheet::fitTileRow()
{
    m_tileScroller->widget()->adjustSize();
    m_tileScroller->setFixedHeight(m_tileScroller->widget()->sizeHint().height());
}

void TarnFeedbackSheet::showLines()
{
    const auto& error = m_state->errorMessage();
    m_errorText->setText(error ? toQString(*error) : QString());
    m_errorLine->setVisible(error.has_value());
    const auto& hint = m_state->statusHint();
    m_hint->setText(hint ? toQString(*hint) : QString());
    m_hint->setVisible(hint.has_value());
}

void TarnFeedbackSheet::showSubmission()
{
    const bool submitting = m_state->isSubmitting();
    m_send->setEnabled(!submitting);
    m_send->setBusy(submitting);
    m_send->setText(submitting ? tarnQText("Sending…", "Gönderiliyor…", m_language)
                               : tarnQText("Send Feedback", "Geri Bildirimi Gönder", m_language));

    const auto& receipt = m_state->receipt();
    m_form->setVisible(!receipt);
    m_receiptCard->setVisible(receipt.has_value());
    if (receipt) {
        m_receiptMessage->setText(toQString(receipt->message));
        m_receiptReference->setText(tarnQText("Reference", "Takip Kodu", m_language) + QStringLiteral(": ")
            + toQString(receipt->referenceCode));
        m_receiptAttachments->setText(QString::number(receipt->attachmentsCount));
        m_receiptAttachments->setVisible(receipt->attachmentsCount >= 1);
    }
}

void TarnFeedbackSheet::openInBrowser()
{
    m_feedback.openInBrowser(m_appName, m_version, m_state->kind(), m_language,
        m_baseURL ? std::optional<std::string_view>(*m_baseURL) : std::nullopt);
}

void TarnFeedbackSheet::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_ground->setGeometry(rect());
    m_ground->lower();
}

} // namespace tarn
