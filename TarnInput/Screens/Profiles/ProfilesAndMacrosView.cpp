#include "TarnInput/Screens/Profiles/ProfilesAndMacrosView.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <fmt/format.h>

#include "TarnInput/Screens/Controls/CapsuleChip.h"
#include "TarnInput/Screens/Controls/RunningAppsMenuButton.h"
#include "TarnInput/Screens/Profiles/AppProfileEditorCard.h"
#include "TarnInput/Screens/Profiles/MacroStudioSectionView.h"
#include "TarnInput/Screens/Profiles/NewProfileFormState.h"
#include "TarnInput/Screens/Widgets/RoundedPlate.h"
#include "TarnInput/Screens/Widgets/ScreenParts.h"
#include "TarnInput/Screens/Widgets/SymbolLabel.h"
#include "TarnInput/Screens/Widgets/VisualRect.h"
#include "TarnInput/ViewModel/ScreenModels/ProfilesViewModel.h"
#include "TarnInputCore/Model/Profiles/AppInputProfileEngine.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"
#include "TarnKit/UI/Buttons/TarnPrimaryButton.h"
#include "TarnKit/UI/Glass/TarnCardHeader.h"
#include "TarnKit/UI/Glass/TarnContinuousShape.h"
#include "TarnKit/UI/Glass/TarnGlassCard.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnBidiText.h"
#include "TarnKit/UI/Text/TarnQString.h"
#include "TarnKit/UI/Text/TarnSymbolIcons.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn::input {

namespace {

constexpr double kCapsule = 1000;
constexpr int kFormFieldWidth = 170;

QColor faded(QColor color, double opacity)
{
    color.setAlphaF(static_cast<float>(opacity));
    return color;
}

// A template's button: a capsule with a coloured symbol before the application's name in white.
class TemplateButton : public QAbstractButton {
public:
    TemplateButton()
    {
        setFont(TarnTextStyles::systemFont(11.5, QFont::DemiBold));
        setCursor(Qt::PointingHandCursor);
    }

    void show(std::string symbol, const QColor& symbolColor)
    {
        m_symbol = std::move(symbol);
        m_symbolColor = symbolColor;
        update();
    }

    const std::string& symbol() const { return m_symbol; }

    QSize sizeHint() const override
    {
        const QFontMetricsF metrics(font());
        const double side = TarnSymbolIcons::sideForText(metrics);
        return QSize(qCeil(10 + side + 5 + metrics.horizontalAdvance(text()) + 10), qCeil(metrics.height() + 12));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        TarnContinuousShape::paintCapsule(painter, QRectF(rect()), TarnGlassTokens::surface2(), Qt::transparent);
        const QFontMetricsF metrics(font());
        const double side = TarnSymbolIcons::sideForText(metrics);
        // The symbol leads the name: on its right in a right-to-left layout.
        const QRectF symbolRect(10, (height() - side) / 2, side, side);
        const QRectF textRect(10 + side + 5, 0, width() - side - 25, height());
        TarnSymbolIcons::paint(
            painter, visualRect(layoutDirection(), QRectF(rect()), symbolRect), m_symbol, m_symbolColor);
        painter.setFont(font());
        painter.setPen(Qt::white);
        TarnBidiText::drawText(
            painter, visualRect(layoutDirection(), QRectF(rect()), textRect), Qt::AlignLeft | Qt::AlignVCenter, text());
    }

private:
    std::string m_symbol;
    QColor m_symbolColor;
};

} // namespace

ProfilesAndMacrosView::ProfilesAndMacrosView(ProfilesViewModel& viewModel, QColor accent, QWidget* parent)
    : ScreenPage(parent)
    , m_viewModel(viewModel)
    , m_accent(accent)
    , m_form(new NewProfileFormState(this))
{
    setObjectName("profilesScreen");
    addSection(buildBanner());
    addSection(buildProfilesCard());
    addSection(new MacroStudioSectionView(m_viewModel, m_accent, this));

    connect(&m_viewModel, &ProfilesViewModel::languageChanged, this, [this] {
        syncTexts();
        syncBanner();
        syncTemplates();
        syncProfiles();
        for (auto* card : m_cards) {
            card->syncTexts();
        }
    });
    connect(&m_viewModel, &ProfilesViewModel::settingsChanged, this, [this] {
        syncTemplates();
        syncProfiles();
    });
    for (const auto signal :
        {&ProfilesViewModel::activeResolutionChanged, &ProfilesViewModel::activeFrontmostAppNameChanged,
            &ProfilesViewModel::activeFrontmostBundleIDChanged, &ProfilesViewModel::activeProfileNameChanged}) {
        connect(&m_viewModel, signal, this, &ProfilesAndMacrosView::syncBanner);
    }
    connect(&m_viewModel, &ProfilesViewModel::activeResolutionChanged, this, &ProfilesAndMacrosView::syncProfiles);
    connect(m_form, &NewProfileFormState::changed, this, &ProfilesAndMacrosView::syncForm);
    syncTexts();
    syncBanner();
    syncTemplates();
    syncProfiles();
    syncForm();
}

QWidget* ProfilesAndMacrosView::buildBanner()
{
    auto* banner = new TarnGlassCard(16, 16);
    banner->setObjectName("liveBanner");
    auto* content = new QWidget;
    auto* row = new QHBoxLayout(content);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(14);

    m_statusDot = new CapsuleChip;
    m_statusDot->setObjectName("statusDot");
    m_statusDot->setFixedSize(10, 10);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    auto* appRow = makeRow(8);
    m_liveLabel = makeTextLabel(11.5, QFont::DemiBold, TarnGlassTokens::textSecondary(), false);
    m_frontmostName = makeTextLabel(13.5, QFont::Bold, Qt::white, false);
    m_frontmostName->setObjectName("frontmostName");
    m_frontmostBundle
        = makeTextLabel(10.5, QFont::Normal, TarnGlassTokens::textMuted(), false, TarnFontDesign::monospaced);
    m_frontmostBundle->setObjectName("frontmostBundleID");
    m_frontmostBundle->setMinimumWidth(1);
    appRow->addWidget(m_liveLabel);
    appRow->addWidget(m_frontmostName);
    appRow->addWidget(m_frontmostBundle);
    appRow->addStretch(1);
    auto* chips = makeRow(10);
    const std::array<const char*, 4> chipNames {"wheelChip", "smoothChip", "speedChip", "macrosChip"};
    for (std::size_t index = 0; index < chipNames.size(); ++index) {
        auto& chip = m_resolutionChips[index];
        chip.plate = new RoundedPlate(kCapsule, faded(Qt::black, 0.24));
        chip.plate->setObjectName(chipNames[index]);
        auto* chipRow = new QHBoxLayout(chip.plate);
        chipRow->setContentsMargins(7, 2, 7, 2);
        chipRow->setSpacing(4);
        chip.label = makeTextLabel(10.5, QFont::Normal, TarnGlassTokens::textMuted(), false);
        chip.value
            = makeTextLabel(10.5, QFont::Bold, TarnGlassTokens::textPrimary(), false, TarnFontDesign::monospaced);
        chip.value->setObjectName(QString(chipNames[index]) + "Value");
        chipRow->addWidget(chip.label);
        chipRow->addWidget(chip.value);
        chips->addWidget(chip.plate);
    }
    chips->addStretch(1);
    texts->addLayout(appRow);
    texts->addLayout(chips);

    auto* dotAndTexts = makeRow(10);
    dotAndTexts->addWidget(m_statusDot);
    dotAndTexts->addLayout(texts, 1);

    m_statusCapsule = new RoundedPlate(kCapsule, TarnGlassTokens::surface2());
    m_statusCapsule->setObjectName("profileCapsule");
    auto* capsuleRow = new QHBoxLayout(m_statusCapsule);
    capsuleRow->setContentsMargins(12, 6, 12, 6);
    m_statusText = new SymbolLabel("globe", TarnTextStyles::font(TarnTextStyle::callout, QFont::Bold), Qt::white);
    m_statusText->setObjectName("profileCapsuleText");
    capsuleRow->addWidget(m_statusText);

    row->addLayout(dotAndTexts, 1);
    row->addWidget(m_statusCapsule, 0, Qt::AlignVCenter);
    banner->setContent(content);
    return banner;
}

QWidget* ProfilesAndMacrosView::buildProfilesCard()
{
    QVBoxLayout* column = nullptr;
    auto* card = makeScreenCard(14, &column);

    m_profilesTitle = makeCardHeader("square.stack.3d.up.fill", 15, Qt::white);
    m_profileCount = new CapsuleChip;
    m_profileCount->setObjectName("profileCount");
    m_profileCount->setTextFont(TarnTextStyles::font(TarnTextStyle::subheadline, QFont::DemiBold));
    m_profileCount->setColors(TarnGlassTokens::textSecondary(), TarnGlassTokens::surface2());
    m_profileCount->setPadding(8, 3);
    m_profilesTitle->addTrailing(m_profileCount);
    column->addWidget(m_profilesTitle);

    m_description = makeTextLabel(11.5, QFont::Normal, TarnGlassTokens::textSecondary(), true);
    column->addWidget(m_description);

    auto* templates = new QVBoxLayout;
    templates->setSpacing(8);
    m_templatesTitle = makeTextLabel(TarnTextStyle::callout, QFont::DemiBold, TarnGlassTokens::textSecondary(), false);
    templates->addWidget(m_templatesTitle);
    auto* templateRow = makeRow(8);
    m_templates = AppInputProfileEngine::builtInTemplates();
    for (std::size_t index = 0; index < m_templates.size(); ++index) {
        auto* button = new TemplateButton;
        button->setObjectName(QStringLiteral("template%1").arg(index));
        button->setText(QString::fromStdString(m_templates[index].appName));
        // Always handed to the view model, even when added already: it answers with its toast.
        connect(button, &QAbstractButton::clicked, this,
            [this, index] { m_viewModel.addProfileTemplate(m_templates[index]); });
        m_templateButtons.push_back(button);
        templateRow->addWidget(button);
    }
    templateRow->addStretch(1);
    templates->addLayout(templateRow);
    column->addLayout(templates);

    column->addWidget(buildAddProfileRow());

    m_emptyProfiles = makeTextLabel(TarnTextStyle::callout, QFont::Normal, TarnGlassTokens::textMuted(), true);
    m_emptyProfiles->setObjectName("emptyProfiles");
    m_emptyProfiles->setContentsMargins(0, 4, 0, 4);
    column->addWidget(m_emptyProfiles);
    m_profileCards = new QVBoxLayout;
    m_profileCards->setContentsMargins(0, 0, 0, 0);
    m_profileCards->setSpacing(14);
    column->addLayout(m_profileCards);
    return card;
}

QWidget* ProfilesAndMacrosView::buildAddProfileRow()
{
    auto* holder = new QWidget;
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    m_appMenu = new RunningAppsMenuButton({}, [this] { return m_viewModel.runningDesktopApps(); });
    m_appMenu->setObjectName("pickRunningApp");
    m_appMenu->setFixedWidth(kFormFieldWidth);
    connect(m_appMenu, &RunningAppsMenuButton::applicationChosen, this,
        [this](const QString& bundleID, const QString& name) {
            m_form->pickApp(bundleID.toStdString(), name.toStdString());
        });
    m_nameField = new QLineEdit;
    m_nameField->setObjectName("profileNameField");
    m_nameField->setFixedWidth(kFormFieldWidth);
    connect(m_nameField, &QLineEdit::textEdited, this,
        [this](const QString& typed) { m_form->setAppName(typed.toStdString()); });
    m_bundleField = new QLineEdit;
    m_bundleField->setObjectName("profileBundleIDField");
    // Linux names applications by their desktop-file id; one text in every language.
    m_bundleField->setPlaceholderText("App ID (org.example.App)");
    connect(m_bundleField, &QLineEdit::textEdited, this,
        [this](const QString& typed) { m_form->setBundleID(typed.toStdString()); });
    m_addProfile = new TarnPrimaryButton;
    m_addProfile->setObjectName("addProfile");
    connect(m_addProfile, &QAbstractButton::clicked, this, &ProfilesAndMacrosView::addProfile);
    row->addWidget(m_appMenu);
    row->addWidget(m_nameField);
    row->addWidget(m_bundleField, 1);
    row->addWidget(m_addProfile);
    return holder;
}

void ProfilesAndMacrosView::addProfile()
{
    m_viewModel.addProfile(m_form->bundleID(), m_form->appName());
    // Emptied whatever the view model decided, a rejected entry too.
    m_form->setBundleID({});
    m_form->setAppName({});
}

void ProfilesAndMacrosView::syncTexts()
{
    m_liveLabel->setText(tarnQText("Live Active App:", "Canlı Aktif Uygulama:", m_viewModel.language()));
    m_profilesTitle->setTitle(tarnQText("Per-App Automatic Mouse, Scroll & Button Profiles",
        "Uygulama Bazlı Otomatik Fare, Kaydırma & Tuş Profilleri", m_viewModel.language()));
    m_description->setText(
        tarnQText("Automatically switch wheel direction, smooth scroll, speed, button actions, and macro "
                  "bindings the moment you focus an app.",
            "Uygulamalar arasında geçiş yaptığınız anda tekerlek yönünü, akıcı kaydırmayı, hızı, tuş atamalarını ve "
            "makroları otomatik uyarlar.",
            m_viewModel.language()));
    m_templatesTitle->setText(tarnQText("1-Click Developer & Designer Templates",
        "Tek Tık Geliştirici & Tasarımcı Şablonları", m_viewModel.language()));
    m_appMenu->setText(plainButtonText(tarnQText("Pick Running App", "Açık Uygulama Seç", m_viewModel.language())));
    m_nameField->setPlaceholderText(
        tarnQText("App Name (e.g. Arc)", "Uygulama Adı (örn. Arc)", m_viewModel.language()));
    m_addProfile->setText(plainButtonText(tarnQText("Add Profile", "Profil Ekle", m_viewModel.language())));
    m_emptyProfiles->setText(tarnQText("No per-app profiles yet. Pick a template above (Xcode, VS Code, Figma, Chrome, "
                                       "Safari) or add any running app.",
        "Henüz uygulama profili yok. Yukarıdaki hazır şablonlardan tek tıkla ekleyin veya açık bir uygulama seçin.",
        m_viewModel.language()));
}

void ProfilesAndMacrosView::syncBanner()
{
    const auto& resolution = m_viewModel.activeResolution();
    const bool usingProfile = resolution.isUsingAppProfile();
    m_statusDot->setColors(Qt::transparent, usingProfile ? TarnGlassTokens::success() : m_accent);
    m_frontmostName->setText(QString::fromStdString(m_viewModel.activeFrontmostAppName()));
    const auto& bundleID = m_viewModel.activeFrontmostBundleID();
    m_frontmostBundle->setText(bundleID ? QString::fromStdString(*bundleID) : QString());
    m_frontmostBundle->setVisible(bundleID.has_value());

    const auto showChip = [this](std::size_t index, std::string_view en, std::string_view tr, const QString& value) {
        const QString label = tarnQText(en, tr, m_viewModel.language()) + ":";
        auto& chip = m_resolutionChips[index];
        chip.label->setText(label);
        chip.value->setText(value);
        // Label and value read as one phrase, in the direction of the label's words: "Speed: 1.80×"
        // also in a mirrored window.
        chip.plate->setLayoutDirection(TarnBidiText::directionOf(label));
    };
    showChip(0, "Wheel", "Tekerlek",
        resolution.reverseMouseWheel ? tarnQText("Reversed", "Ters", m_viewModel.language())
                                     : tarnQText("Natural", "Doğal", m_viewModel.language()));
    showChip(1, "Smooth", "Akıcı",
        resolution.smoothScrollEnabled ? tarnQText("On", "Açık", m_viewModel.language())
                                       : tarnQText("Off", "Kapalı", m_viewModel.language()));
    showChip(2, "Speed", "Hız", AppProfileEditorCard::speedText(resolution.scrollSpeedMultiplier));
    const auto macros = resolution.macroBindings.size();
    showChip(3, "Macros", "Makro", QString::number(macros));
    m_resolutionChips[3].plate->setVisible(macros > 0);

    const auto& profileName = m_viewModel.activeProfileName();
    m_statusText->setSymbol(usingProfile ? "sparkles" : "globe");
    m_statusText->setText(profileName
            ? tarnQText("Profile: ", "Profil: ", m_viewModel.language()) + QString::fromStdString(*profileName)
            : tarnQText("Global Default", "Global Varsayılan", m_viewModel.language()));
    m_statusCapsule->setFill(usingProfile ? faded(m_accent, 0.35) : TarnGlassTokens::surface2());
    m_statusCapsule->setBorder(usingProfile ? faded(m_accent, 0.75) : TarnGlassTokens::borderSubtle());
}

void ProfilesAndMacrosView::syncTemplates()
{
    // Fresh templates each time, each with a new id: a template added, removed and added again
    // never brings back the id of a profile that is gone.
    m_templates = AppInputProfileEngine::builtInTemplates();
    const auto& profiles = m_viewModel.settings().appProfiles;
    for (std::size_t index = 0; index < m_templates.size(); ++index) {
        const auto wanted = UnicodeText::lowercased(m_templates[index].bundleIdentifier);
        const bool added = std::any_of(profiles.begin(), profiles.end(), [&wanted](const AppInputProfile& profile) {
            return UnicodeText::lowercased(profile.bundleIdentifier) == wanted;
        });
        static_cast<TemplateButton*>(m_templateButtons[index])
            ->show(added ? "checkmark.circle.fill" : "plus.circle.fill", added ? TarnGlassTokens::success() : m_accent);
    }
}

void ProfilesAndMacrosView::syncProfiles()
{
    const auto& profiles = m_viewModel.settings().appProfiles;
    m_profileCount->setText(
        QString::number(profiles.size()) + " " + tarnQText("profiles", "profil", m_viewModel.language()));
    const auto& matched = m_viewModel.activeResolution().matchedProfileID;
    const auto isActive = [&matched](const AppInputProfile& profile) { return matched && *matched == profile.id; };

    // Cards are kept by profile id and shown in stored order: an edit updates its own card in
    // place, and only cards of removed profiles go (after control is back in the event loop).
    std::vector<AppProfileEditorCard*> ordered;
    for (const auto& profile : profiles) {
        const auto found = std::find_if(m_cards.begin(), m_cards.end(), [&profile](const AppProfileEditorCard* card) {
            return card != nullptr && card->profile().id == profile.id;
        });
        AppProfileEditorCard* card = nullptr;
        if (found != m_cards.end()) {
            card = *found;
            *found = nullptr;
            card->showProfile(profile, isActive(profile));
        } else {
            card = new AppProfileEditorCard(profile, isActive(profile), m_viewModel, m_accent);
        }
        ordered.push_back(card);
    }
    for (auto* gone : m_cards) {
        if (gone != nullptr) {
            m_profileCards->removeWidget(gone);
            gone->hide();
            gone->setParent(nullptr);
            gone->deleteLater();
        }
    }
    for (std::size_t index = 0; index < ordered.size(); ++index) {
        if (m_profileCards->indexOf(ordered[index]) != static_cast<int>(index)) {
            m_profileCards->removeWidget(ordered[index]);
            m_profileCards->insertWidget(static_cast<int>(index), ordered[index]);
        }
    }
    m_cards = std::move(ordered);
    m_emptyProfiles->setVisible(profiles.empty());
}

void ProfilesAndMacrosView::syncForm()
{
    const std::pair<QLineEdit*, QString> fields[] {{m_nameField, QString::fromStdString(m_form->appName())},
        {m_bundleField, QString::fromStdString(m_form->bundleID())}};
    for (const auto& [field, value] : fields) {
        // Only a real change is written, so typing keeps its cursor.
        if (field->text() != value) {
            const QSignalBlocker blocker(field);
            field->setText(value);
        }
    }
}

} // namespace tarn::input
