#include "TarnKit/UI/Version/TarnVersionAndLogsView.h"

#include <array>
#include <cmath>

#include <QAbstractButton>
#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "TarnKit/Foundation/Identity/TarnAppIdentity.h"
#include "TarnKit/Foundation/Identity/TarnReleaseLogReader.h"
#include "TarnKit/UI/Brand/TarnBrandMark.h"
#include "TarnKit/UI/Buttons/TarnFeedbackButton.h"
#include "TarnKit/UI/Buttons/TarnGlassButton.h"
#include "TarnKit/UI/Buttons/TarnGlassButtonStyle.h"
#include "TarnKit/UI/Buttons/TarnSheetCloseButton.h"
#include "TarnKit/UI/Glass/TarnCardColumn.h"
#include "TarnKit/UI/Glass/TarnCardHeader.h"
#include "TarnKit/UI/Glass/TarnContinuousShape.h"
#include "TarnKit/UI/Glass/TarnGlassCard.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Glass/TarnGroundBackground.h"
#include "TarnKit/UI/Glass/TarnLeadingTrailingLayout.h"
#include "TarnKit/UI/Glass/TarnRoundedPanel.h"
#include "TarnKit/UI/Text/TarnBidiText.h"
#include "TarnKit/UI/Text/TarnLabel.h"
#include "TarnKit/UI/Text/TarnQString.h"
#include "TarnKit/UI/Text/TarnSymbolIcons.h"
#include "TarnKit/UI/Text/TarnSymbolLabel.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"
#include "TarnKit/UI/Text/TarnWrappingText.h"
#include "TarnKit/UI/Version/TarnVersionBadge.h"

namespace tarn {
namespace {

constexpr double kCardPadding = 16;
constexpr double kCardCornerRadius = 14;

struct LevelChoice {
    TarnLogLevel level;
    std::string_view en;
    std::string_view tr;
};

constexpr std::array<LevelChoice, 4> kLevelChoices {{
    {TarnLogLevel::debug, "All", "Tümü"},
    {TarnLogLevel::info, "INFO+", "INFO+"},
    {TarnLogLevel::warn, "WARN+", "WARN+"},
    {TarnLogLevel::error, "ERROR", "ERROR"},
}};

constexpr int kLevelPickerWidth = 230;

// The log tools' buttons: a symbol, mostly with a short caption.
TarnGlassButton* captionButton(std::string symbol, const QString& text)
{
    auto* button = new TarnGlassButton(text);
    button->setFont(TarnTextStyles::font(TarnTextStyle::caption));
    button->setSymbol(std::move(symbol));
    return button;
}

QFont styleFont(TarnTextStyle style, QFont::Weight weight, TarnFontDesign design = TarnFontDesign::standard)
{
    return TarnTextStyles::font(style, weight, design);
}

QColor withOpacity(QColor color, double opacity)
{
    color.setAlphaF(color.alphaF() * opacity);
    return color;
}

QColor levelColor(TarnLogLevel level)
{
    switch (level) {
    case TarnLogLevel::debug:
        return TarnGlassTokens::textMuted();
    case TarnLogLevel::info:
        return TarnGlassTokens::success();
    case TarnLogLevel::warn:
        return TarnGlassTokens::warning();
    case TarnLogLevel::error:
        return TarnGlassTokens::danger();
    }
    return TarnGlassTokens::textMuted();
}

// "Title:" and a value, on surface2 in a rounded rectangle of radius 6. The two read as one
// phrase, in the direction of the title's words: "Version: v1.0.0" also in a mirrored sheet.
class InfoChip : public QWidget {
public:
    InfoChip(const QString& title, const QString& value)
    {
        setLayoutDirection(TarnBidiText::directionOf(title));
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(8, 4, 8, 4);
        row->setSpacing(4);
        row->addWidget(tarnLabel(
            title + QLatin1Char(':'), styleFont(TarnTextStyle::caption2, QFont::Normal), TarnGlassTokens::textMuted()));
        row->addWidget(tarnLabel(value, styleFont(TarnTextStyle::caption2, QFont::Bold, TarnFontDesign::monospaced),
            TarnGlassTokens::textPrimary()));
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override
    {
        QPainter painter(this);
        TarnContinuousShape::paintRoundedRect(painter, QRectF(rect()), 6, TarnGlassTokens::surface2(), Qt::transparent);
    }
};

// One choice of the level picker: glass fill and border, brighter while selected, caption text.
class LevelSegment : public QAbstractButton {
public:
    explicit LevelSegment(const QString& label)
    {
        setText(label);
        setFont(TarnTextStyles::font(TarnTextStyle::caption));
        setCheckable(true);
        setAutoExclusive(true);
        setCursor(Qt::PointingHandCursor);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

    QSize sizeHint() const override
    {
        const QFontMetricsF metrics(font(), this);
        return {static_cast<int>(std::ceil(metrics.horizontalAdvance(text()) + 12)),
            static_cast<int>(std::ceil(metrics.height() + 2 * TarnGlassButtonStyle::kVerticalPadding))};
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override
    {
        QPainter painter(this);
        const TarnGlassButtonStyle style(isChecked());
        const QRectF bounds(rect());
        TarnContinuousShape::paintRoundedRect(painter, bounds, 6, style.fill(), style.border());
        const QFontMetricsF metrics(font(), this);
        TarnTextStyles::drawCentredLine(
            painter, bounds.adjusted(4, 0, -4, 0), text(), metrics, font(), TarnGlassButtonStyle::textColor());
    }
};

// A row of widgets `spacing` apart, without margins.
QWidget* rowOf(std::initializer_list<QWidget*> widgets, int spacing)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    for (QWidget* widget : widgets) {
        layout->addWidget(widget);
    }
    return row;
}

// `leading` at the start and `trailing` at the end of one line, or `trailing` on a line of its
// own below when the two do not fit side by side.
QWidget* leadingAndTrailing(QWidget* leading, QWidget* trailing, int spacing)
{
    auto* row = new QWidget;
    auto* layout = new TarnLeadingTrailingLayout(spacing, spacing, row);
    layout->addWidget(leading);
    layout->addWidget(trailing);
    return row;
}

void clearLayout(QLayout* layout)
{
    while (QLayoutItem* item = layout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
}

} // namespace

TarnVersionAndLogsView::TarnVersionAndLogsView(std::string appName, TarnAppVersion version, TarnAppLogger& logger,
    TarnProductPalette palette, TarnLanguage language, std::vector<TarnReleaseLogRecord> fallbackReleases,
    std::function<void()> onClose, Services services, QWidget* parent)
    : QWidget(parent)
    , m_appName(std::move(appName))
    , m_version(std::move(version))
    , m_logger(logger)
    , m_palette(palette)
    , m_language(language)
    , m_fallbackReleases(std::move(fallbackReleases))
    , m_onClose(std::move(onClose))
    , m_services(std::move(services))
{
    setObjectName(QStringLiteral("versionAndLogsView"));
    setLayoutDirection(isRTL(m_language) ? Qt::RightToLeft : Qt::LeftToRight);
    if (m_onClose) {
        m_ground = new TarnGroundBackground(m_palette, this);
        m_ground->setObjectName(QStringLiteral("groundBackground"));
    }

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("versionScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    // Every row fits the sheet's width or wraps; should some content still not, it stays in reach.
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The ground (or the host's background) shows through the scroll area.
    QPalette clear = scroll->palette();
    clear.setColor(QPalette::Window, Qt::transparent);
    clear.setColor(QPalette::Base, Qt::transparent);
    scroll->setPalette(clear);
    scroll->setAutoFillBackground(false);
    scroll->viewport()->setAutoFillBackground(false);
    auto* content = new QWidget;
    content->setAutoFillBackground(false);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(18, 18, 18, 18);
    column->setSpacing(16);
    if (m_onClose) {
        column->addWidget(buildHeader());
    }
    column->addWidget(buildSummaryCard());
    column->addWidget(buildReleaseCard());
    column->addWidget(buildLogsCard());
    column->addStretch(1);
    scroll->setWidget(content);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
}

QWidget* TarnVersionAndLogsView::buildHeader()
{
    auto* header = new QWidget;
    header->setObjectName(QStringLiteral("sheetHeader"));
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    const auto identity = resolveTarnAppIdentity(m_appName);
    row->addWidget(
        new TarnBrandMark(24, identity ? TarnBrandMarkStyle::app(*identity) : TarnBrandMarkStyle::currentApp()));
    row->addWidget(tarnLabel(
        toQString(m_appName) + QStringLiteral(" · ") + tarnQText("Version & Logs", "Sürüm & Loglar", m_language),
        TarnTextStyles::systemFont(16, QFont::Bold), Qt::white, "sheetTitle"));
    row->addStretch(1);
    row->addWidget(new TarnSheetCloseButton(*this, [this] { m_onClose(); }));
    return header;
}

QWidget* TarnVersionAndLogsView::buildSummaryCard()
{
    QVBoxLayout* column = nullptr;
    QWidget* content = tarnCardColumn(10, column);
    const QColor accent = accentColor(m_palette);

    auto* header = new TarnCardHeader("tag.fill", tarnQText("Version & Release Info", "Sürüm Bilgileri", m_language),
        TarnTextStyles::font(TarnTextStyle::headline), accent, 10);
    header->addTrailing(new TarnVersionBadge(m_version, true));
    column->addWidget(header);

    QLabel* description
        = tarnLabel(tarnQText("Application version details, full release changelog from initial release to "
                              "latest, and runtime logs.",
                        "Uygulama sürüm bilgileri, ilk sürümden son sürüme kadar tüm değişiklik geçmişi "
                        "ve çalışma logları.",
                        m_language),
            TarnTextStyles::font(TarnTextStyle::caption), TarnGlassTokens::textSecondary(), "summaryText");
    description->setWordWrap(true);
    column->addWidget(description);

    constexpr int kChipSpacing = 12;
    QWidget* chips
        = rowOf({new InfoChip(tarnQText("Version", "Sürüm", m_language),
                     QStringLiteral("v") + toQString(m_version.shortVersion)),
                    new InfoChip(QStringLiteral("Build"), QStringLiteral("#") + toQString(m_version.buildNumber))},
            kChipSpacing);
    QWidget* feedbackAndFile
        = rowOf({new TarnFeedbackButton(m_appName, m_version, TarnFeedbackKind::feature, m_language,
                     TarnFeedbackButtonStyle::labeledPill, std::nullopt, nullptr, m_services.feedback),
                    tarnLabel(QString::fromStdString(m_logger.currentLogFile().filename().string()),
                        styleFont(TarnTextStyle::caption2, QFont::Normal, TarnFontDesign::monospaced),
                        TarnGlassTokens::textMuted(), "logFileName")},
            kChipSpacing);
    QWidget* chipRow = leadingAndTrailing(chips, feedbackAndFile, kChipSpacing);
    chipRow->setObjectName(QStringLiteral("summaryChipRow"));
    column->addWidget(chipRow);
    return tarnGlassCardAround(content, "summaryCard", kCardPadding, kCardCornerRadius);
}

QWidget* TarnVersionAndLogsView::buildReleaseCard()
{
    QVBoxLayout* column = nullptr;
    QWidget* content = tarnCardColumn(12, column);
    column->addWidget(new TarnCardHeader("clock.arrow.circlepath",
        tarnQText("Release History (CHANGELOG)", "Sürüm Geçmişi (Değişiklik Logu)", m_language),
        TarnTextStyles::font(TarnTextStyle::headline), TarnGlassTokens::textPrimary()));
    m_releaseList = new QVBoxLayout;
    m_releaseList->setSpacing(12);
    column->addLayout(m_releaseList);
    return tarnGlassCardAround(content, "releaseCard", kCardPadding, kCardCornerRadius);
}

QWidget* TarnVersionAndLogsView::buildLogsCard()
{
    QVBoxLayout* column = nullptr;
    QWidget* content = tarnCardColumn(12, column);

    constexpr int kHeaderSpacing = 8;
    auto* title = new TarnSymbolLabel("doc.text.magnifyingglass",
        tarnQText("Rotating Runtime Logs", "Uygulama Çalışma Logları", m_language),
        TarnTextStyles::font(TarnTextStyle::headline), TarnGlassTokens::textPrimary());
    title->setObjectName(QStringLiteral("logsTitle"));

    auto* picker = new QWidget;
    picker->setObjectName(QStringLiteral("logLevelPicker"));
    picker->setFixedWidth(kLevelPickerWidth);
    auto* segments = new QHBoxLayout(picker);
    segments->setContentsMargins(0, 0, 0, 0);
    segments->setSpacing(2);
    for (const auto& choice : kLevelChoices) {
        auto* button = new LevelSegment(tarnQText(choice.en, choice.tr, m_language));
        button->setObjectName(QStringLiteral("logLevel_") + toQString(rawValue(choice.level)));
        button->setChecked(choice.level == m_selectedMinLevel);
        connect(button, &QAbstractButton::clicked, this, [this, level = choice.level] { selectLevel(level); });
        segments->addWidget(button);
        m_levelButtons.push_back(button);
    }

    auto* refresh = captionButton("arrow.clockwise", QString());
    refresh->setObjectName(QStringLiteral("refreshLogsButton"));
    refresh->setToolTip(tarnQText("Refresh logs", "Logları yenile", m_language));
    connect(refresh, &QAbstractButton::clicked, this, &TarnVersionAndLogsView::reloadEntries);
    m_copyButton = captionButton("doc.on.doc", tarnQText("Copy", "Kopyala", m_language));
    m_copyButton->setObjectName(QStringLiteral("copyLogsButton"));
    connect(m_copyButton, &QAbstractButton::clicked, this, &TarnVersionAndLogsView::onCopyClicked);
    auto* folder = captionButton("folder", tarnQText("Folder", "Klasör", m_language));
    folder->setObjectName(QStringLiteral("revealLogsButton"));
    connect(folder, &QAbstractButton::clicked, this, [this] {
        if (m_services.revealLogFolder) {
            m_services.revealLogFolder();
        } else {
            m_logger.revealInFinder();
        }
    });
    auto* clear = captionButton("trash", tarnQText("Clear", "Temizle", m_language));
    clear->setObjectName(QStringLiteral("clearLogsButton"));
    connect(clear, &QAbstractButton::clicked, this, &TarnVersionAndLogsView::onClearClicked);

    // The controls follow the title while they fit beside it, and move under it when they do not.
    QWidget* controls = rowOf({picker, refresh, m_copyButton, folder, clear}, kHeaderSpacing);
    controls->setObjectName(QStringLiteral("logControls"));
    QWidget* header = leadingAndTrailing(title, controls, kHeaderSpacing);
    header->setObjectName(QStringLiteral("logsHeader"));
    column->addWidget(header);

    m_logList = new QVBoxLayout;
    m_logList->setSpacing(4);
    column->addLayout(m_logList);
    return tarnGlassCardAround(content, "logsCard", kCardPadding, kCardCornerRadius);
}

QWidget* TarnVersionAndLogsView::buildReleaseBlock(const TarnReleaseLogRecord& record) const
{
    auto* block = new TarnRoundedPanel(TarnGlassTokens::surface1(), 10);
    block->setObjectName(QStringLiteral("releaseBlock"));
    auto* column = new QVBoxLayout(block);
    column->setContentsMargins(10, 10, 10, 10);
    column->setSpacing(5);
    const QFont mono2 = styleFont(TarnTextStyle::caption2, QFont::Normal, TarnFontDesign::monospaced);

    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    row->addWidget(tarnLabel(QStringLiteral("v") + toQString(record.toVersion),
        styleFont(TarnTextStyle::subheadline, QFont::Bold, TarnFontDesign::monospaced), accentColor(m_palette)));
    row->addWidget(tarnLabel(QStringLiteral("Build %1 · %2/%3")
                                 .arg(record.toBuild)
                                 .arg(toQString(record.bumpKind), toQString(record.section)),
        mono2, TarnGlassTokens::textSecondary()));
    row->addStretch(1);
    row->addWidget(tarnLabel(toQString(record.shortDate()), mono2, TarnGlassTokens::textMuted()));
    column->addLayout(row);

    const std::string code(rawValue(m_language));
    if (const std::string summary = record.localizedSummary(code); !summary.empty()) {
        QLabel* label = tarnLabel(
            toQString(summary), styleFont(TarnTextStyle::caption, QFont::Medium), TarnGlassTokens::textPrimary());
        label->setWordWrap(true);
        column->addWidget(label);
    }
    for (const std::string& detail : record.localizedDetails(code)) {
        QLabel* label = tarnLabel(QStringLiteral("• ") + toQString(detail),
            styleFont(TarnTextStyle::caption2, QFont::Normal), TarnGlassTokens::textSecondary());
        label->setWordWrap(true);
        column->addWidget(label);
    }
    return block;
}

QWidget* TarnVersionAndLogsView::buildLogRow(const TarnLogEntry& entry) const
{
    auto* panel = new TarnRoundedPanel(withOpacity(TarnGlassTokens::surface1(), 0.65), 6);
    panel->setObjectName(QStringLiteral("logRow"));
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(6, 3, 6, 3);
    row->setSpacing(8);
    const auto column = [&](QLabel* label, int width) {
        label->setFixedWidth(width);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        row->addWidget(label, 0, Qt::AlignTop);
    };
    column(tarnLabel(toQString(timeOfDay(entry.timestamp)),
               TarnTextStyles::font(TarnTextStyle::caption, QFont::Normal, TarnFontDesign::monospaced),
               TarnGlassTokens::textMuted(), "logTime"),
        66);
    column(tarnLabel(toQString(label(entry.level)),
               TarnTextStyles::systemFont(9.5, QFont::Bold, TarnFontDesign::monospaced), levelColor(entry.level),
               "logLevel"),
        42);
    column(tarnLabel(QStringLiteral("[") + toQString(entry.category) + QStringLiteral("]"),
               TarnTextStyles::font(TarnTextStyle::caption, QFont::Normal, TarnFontDesign::monospaced),
               withOpacity(accentColor(m_palette), 0.9), "logCategory"),
        82);
    auto* message = new TarnWrappingText(
        toQString(entry.message), TarnTextStyles::font(TarnTextStyle::subheadline), TarnGlassTokens::textPrimary());
    message->setObjectName(QStringLiteral("logMessage"));
    row->addWidget(message, 1);
    return panel;
}

std::string TarnVersionAndLogsView::timeOfDay(std::string_view timestamp)
{
    const auto t = timestamp.find('T');
    const std::string_view from = t == std::string_view::npos ? timestamp : timestamp.substr(t + 1);
    return std::string(from.substr(0, 8));
}

void TarnVersionAndLogsView::reloadAll()
{
    m_releases = m_services.loadReleases ? m_services.loadReleases(m_appName)
                                         : TarnReleaseLogReader::loadBundled(std::string_view(m_appName));
    if (m_releases.empty()) {
        m_releases = m_fallbackReleases;
    }
    showReleases();
    reloadEntries();
}

void TarnVersionAndLogsView::reloadEntries()
{
    m_entries = m_logger.recentEntries(kShownEntries, m_selectedMinLevel);
    showEntries();
}

void TarnVersionAndLogsView::showReleases()
{
    clearLayout(m_releaseList);
    if (m_releases.empty()) {
        m_releaseList->addWidget(tarnLabel(tarnQText("No release log records found for this build.",
                                               "Bu derleme için sürüm geçmişi kaydı bulunamadı.", m_language),
            TarnTextStyles::font(TarnTextStyle::caption), TarnGlassTokens::textSecondary(), "releaseEmptyText"));
        return;
    }
    for (const auto& record : m_releases) {
        m_releaseList->addWidget(buildReleaseBlock(record));
    }
}

void TarnVersionAndLogsView::showEntries()
{
    clearLayout(m_logList);
    if (m_entries.empty()) {
        QLabel* empty = tarnLabel(tarnQText("No runtime log entries match the filter yet.",
                                      "Filtreye uyan çalışma logu henüz yok.", m_language),
            TarnTextStyles::font(TarnTextStyle::caption), TarnGlassTokens::textSecondary(), "logEmptyText");
        empty->setContentsMargins(0, 8, 0, 8);
        m_logList->addWidget(empty);
        return;
    }
    for (const auto& entry : m_entries) {
        m_logList->addWidget(buildLogRow(entry));
    }
}

void TarnVersionAndLogsView::selectLevel(TarnLogLevel level)
{
    m_selectedMinLevel = level;
    for (std::size_t i = 0; i < m_levelButtons.size(); ++i) {
        const QSignalBlocker blocker(m_levelButtons[i]);
        m_levelButtons[i]->setChecked(kLevelChoices[i].level == level);
    }
    reloadEntries();
}

void TarnVersionAndLogsView::onCopyClicked()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(toQString(m_logger.exportPlainText(kCopiedEntries, m_selectedMinLevel)));
    // Stays until the sheet is opened anew.
    m_copied = true;
    m_copyButton->setText(tarnQText("Copied", "Kopyalandı", m_language));
    m_copyButton->updateGeometry();
}

void TarnVersionAndLogsView::onClearClicked()
{
    m_logger.clear();
    reloadEntries();
}

void TarnVersionAndLogsView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        reloadAll();
    }
}

void TarnVersionAndLogsView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_ground) {
        m_ground->setGeometry(rect());
        m_ground->lower();
    }
}

} // namespace tarn
