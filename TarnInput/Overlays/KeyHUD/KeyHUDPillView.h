#pragma once

// The key HUD's window: a dark capsule centred in it, holding one key cap per key, oldest at the
// left. A cap for a shortcut is tinted with the accent; typed text sits on plain glass. Each key
// is named in Linux words ("Shift+Super+K"), read left to right in every interface language.

#include <vector>

#include <QColor>
#include <QWidget>

#include "TarnInputCore/Model/Keys/KeyHUDToken.h"

namespace tarn::input {

class KeyHUDPillView final : public QWidget {
    Q_OBJECT

public:
    explicit KeyHUDPillView(QColor accent, QWidget* parent = nullptr);

    void setTokens(std::vector<KeyHUDToken> tokens);
    const std::vector<KeyHUDToken>& tokens() const { return m_tokens; }

    // The width at which every key is shown whole.
    int naturalWidth() const;
    // The keys' texts as drawn, oldest first: their words, cut to share a window too narrow.
    QStringList shownTexts() const;

    // The capsule in widget coordinates, and its outline as a region for the window's mask.
    QRectF capsuleRect() const;
    QRegion capsuleRegion() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct CapLayout {
        QRectF rect;
        QString text;
        bool isShortcut;
    };

    struct PillLayout {
        QRectF capsule;
        std::vector<CapLayout> caps;
    };

    std::vector<QString> capTexts() const;
    PillLayout layoutPill() const;
    void paintCap(QPainter& painter, const CapLayout& cap) const;

    QColor m_accent;
    std::vector<KeyHUDToken> m_tokens;
};

} // namespace tarn::input
