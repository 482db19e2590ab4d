#pragma once

// Shows content in one floating panel: frameless, above other windows, with a translucent
// background, brought to the front and given the keyboard on every show, so that Escape and the
// loss of the keyboard work on a panel just shown, before any click. The panel is created on the
// first show and reused; each show builds the content anew. It goes at
// an anchor (its top-left corner on the anchor's), or centred on the screen under the pointer
// (see TarnFloatingPanelPlacement), or stays where it was. Escape hides it, and so does losing the
// keyboard when dismissOnResignKey is set. Every hide calls onDismiss once; hide() calls it even
// when the panel was never shown. The panel moves when dragged by its background.

#include <functional>
#include <memory>
#include <optional>

#include <QObject>
#include <QRect>
#include <QSize>

class QWidget;

namespace tarn {

class TarnDraggableFloatingPanel;

class TarnFloatingPanelController : public QObject {
    Q_OBJECT

public:
    // Builds a new content widget; the panel takes it.
    using ContentBuilder = std::function<std::unique_ptr<QWidget>()>;

    TarnFloatingPanelController(
        QSize size, bool dismissOnResignKey, std::function<void()> onDismiss, QObject* parent = nullptr);
    ~TarnFloatingPanelController() override;

    // The panel exists and is shown.
    bool isVisible() const;
    void show(bool centeredOnActiveScreen, std::optional<QRect> anchorFrame, const ContentBuilder& content);
    // Hides a shown panel (calling onDismiss), otherwise shows it as show() does.
    void toggle(bool centeredOnActiveScreen, std::optional<QRect> anchorFrame, const ContentBuilder& content);
    void hide();

    // Null until the first show.
    TarnDraggableFloatingPanel* panel() const { return m_panel.get(); }

private:
    TarnDraggableFloatingPanel& ensurePanel();
    void place(TarnDraggableFloatingPanel& panel, bool centeredOnActiveScreen, std::optional<QRect> anchorFrame) const;
    void orderOutAndDismiss();
    void onPanelDidResignKey();

    std::unique_ptr<TarnDraggableFloatingPanel> m_panel;
    QSize m_size;
    bool m_dismissOnResignKey;
    std::function<void()> m_onDismiss;
    bool m_orderingOut = false;
};

} // namespace tarn
