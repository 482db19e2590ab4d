#include "TarnInput/App/Studio/StudioCommands.h"

#include <QAction>
#include <QMenu>

#include "TarnInput/App/Studio/ShortcutWordsMenu.h"
#include "TarnInput/Screens/Widgets/ScreenParts.h"
#include "TarnInput/ViewModel/ScreenModels/TrayViewModel.h"
#include "TarnKit/UI/Text/TarnQString.h"

namespace tarn::input {

StudioCommands::StudioCommands(TrayViewModel& viewModel, QObject* parent)
    : QObject(parent)
    , m_viewModel(viewModel)
    , m_menu(std::make_unique<ShortcutWordsMenu>(QStringLiteral("TarnInput")))
{
    m_menu->setObjectName("commandMenu");
    // Option+Command maps to Alt+Super, which Qt calls Alt+Meta.
    m_toggleEngine = m_menu->addAction(QString());
    m_toggleEngine->setObjectName("toggleEngineCommand");
    m_toggleEngine->setShortcut(QKeySequence(Qt::AltModifier | Qt::MetaModifier | Qt::Key_E));
    m_toggleKeyHUD = m_menu->addAction(QString());
    m_toggleKeyHUD->setObjectName("toggleKeyHUDCommand");
    m_toggleKeyHUD->setShortcut(QKeySequence(Qt::AltModifier | Qt::MetaModifier | Qt::Key_H));
    m_menu->addSeparator();
    m_reset = m_menu->addAction(QString());
    m_reset->setObjectName("resetSettingsCommand");
    connect(m_toggleEngine, &QAction::triggered, this, [this] { m_viewModel.toggleEngine(); });
    connect(m_toggleKeyHUD, &QAction::triggered, this, [this] { m_viewModel.toggleKeyHUD(); });
    connect(m_reset, &QAction::triggered, this, [this] { m_viewModel.resetToDefaults(); });
    connect(&m_viewModel, &TrayViewModel::languageChanged, this, &StudioCommands::syncTexts);
    syncTexts();
}

StudioCommands::~StudioCommands() = default;

void StudioCommands::syncTexts()
{
    m_toggleEngine->setText(
        plainButtonText(tarnQText("Toggle Input Engine", "Giriş Motorunu Aç/Kapat", m_viewModel.language())));
    m_toggleKeyHUD->setText(
        plainButtonText(tarnQText("Toggle Presentation KeyHUD", "Sunum Kısayol HUD Aç/Kapat", m_viewModel.language())));
    m_reset->setText(
        plainButtonText(tarnQText("Reset Input Settings", "Giriş Ayarlarını Sıfırla", m_viewModel.language())));
}

} // namespace tarn::input
