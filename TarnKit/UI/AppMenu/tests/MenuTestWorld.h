#pragma once

// A menu controller over a recording browser and a private notification center, with the
// helpers the menu tests read it through: a menu's entries as text lines and opening a menu.

#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "Platform/Fake/Foundation/RecordingUrlOpener.h"
#include "TarnKit/Feedback/TarnFeedbackService.h"
#include "TarnKit/Foundation/Basics/NotificationCenter.h"
#include "TarnKit/UI/AppMenu/TarnAppMenuController.h"

namespace tarn {

inline TarnFeedbackService::Services recordingFeedbackServices(std::shared_ptr<UrlOpener> opener)
{
    return {[](std::string_view) { return std::optional<std::string> {}; }, nullptr, std::move(opener), nullptr,
        "Linux 6.1.0 (x86_64)"};
}

struct MenuWorld {
    explicit MenuWorld(const std::function<void(TarnAppMenuConfiguration&)>& adjust = {})
    {
        TarnAppMenuConfiguration configuration;
        configuration.appName = "TarnNotes";
        configuration.language = [this] { return language; };
        configuration.closeWindowKeyEquivalent = "w";
        configuration.closeWindowModifiers = Qt::ControlModifier;
        if (adjust) {
            adjust(configuration);
        }
        controller = std::make_unique<TarnAppMenuController>(std::move(configuration),
            TarnAppMenuServices {
                feedback, BuildInfo {"1.4.0", "57", "TarnNotes", "com.harrowfen.tarnnotes"}, notifications});
    }

    QMenu* menu(const char* objectName) const
    {
        return controller->mainMenu()->findChild<QMenu*>(QString::fromLatin1(objectName), Qt::FindDirectChildrenOnly);
    }

    // The titles shown in the bar, in order.
    std::vector<std::string> barTitles() const
    {
        std::vector<std::string> titles;
        for (const QAction* action : controller->mainMenu()->actions()) {
            titles.push_back(shown(action->text()));
        }
        return titles;
    }

    // What a menu shows once opened: "—" for a separator, otherwise the title and " [shortcut]";
    // hidden entries are left out.
    static std::vector<std::string> entries(QMenu* menu)
    {
        emit menu->aboutToShow();
        std::vector<std::string> lines;
        for (const QAction* action : menu->actions()) {
            if (!action->isVisible()) {
                continue;
            }
            if (action->isSeparator()) {
                lines.emplace_back("—");
                continue;
            }
            std::string line = shown(action->text());
            if (!action->shortcut().isEmpty()) {
                line += " [" + action->shortcut().toString(QKeySequence::PortableText).toStdString() + "]";
            }
            lines.push_back(line);
        }
        return lines;
    }

    static QAction* entry(QMenu* menu, const std::string& title)
    {
        for (QAction* action : menu->actions()) {
            if (shown(action->text()) == title) {
                return action;
            }
        }
        return nullptr;
    }

    // Without the doubled "&" that keeps Qt from reading an access key.
    static std::string shown(QString text)
    {
        return text.replace(QStringLiteral("&&"), QStringLiteral("&")).toStdString();
    }

    TarnLanguage language = TarnLanguage::en;
    std::shared_ptr<RecordingUrlOpener> opener = std::make_shared<RecordingUrlOpener>();
    TarnFeedbackService feedback {recordingFeedbackServices(opener)};
    NotificationCenter notifications;
    std::unique_ptr<TarnAppMenuController> controller;
};

} // namespace tarn
