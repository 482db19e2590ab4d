#pragma once

// The overlays' window hints on X11. A compositor announces itself by owning the selection
// _NET_WM_CM_S<screen>. Before an overlay is mapped it is marked sticky, skipped by taskbars and
// pagers, and placed on every desktop (_NET_WM_DESKTOP 0xFFFFFFFF), which a window manager reads
// when it starts managing the window. Qt merges its own state hints into the ones set here.
//
// Only for windows of an X11 (xcb) Qt session: under Wayland the window ids are not X windows.
// The program shares Qt's own connection (QNativeInterface::QX11Application::connection()), so
// that a hint can never reach the server before the request that creates its window.

#include <memory>
#include <string>

#include "TarnInput/Overlays/OverlayWindowManager.h"

namespace tarn::input {

class X11OverlayWindowManager final : public OverlayWindowManager {
public:
    // Connects to `displayName`, or to $DISPLAY when it is empty. Without a display it reports a
    // compositor (there is nothing to mask against) and sets no hints.
    explicit X11OverlayWindowManager(const std::string& displayName = {});
    // Uses `xcbConnection` (an xcb_connection_t) without owning it; it must outlive this object.
    // Null, as a Qt session on Wayland has none, gives the same answers as no display.
    static std::unique_ptr<X11OverlayWindowManager> sharingConnection(void* xcbConnection);
    ~X11OverlayWindowManager() override;
    X11OverlayWindowManager(const X11OverlayWindowManager&) = delete;
    X11OverlayWindowManager& operator=(const X11OverlayWindowManager&) = delete;

    bool isConnected() const;

    bool isCompositing() const override;
    void prepareToShow(std::uint64_t nativeWindow) override;

private:
    struct Impl;
    explicit X11OverlayWindowManager(std::unique_ptr<Impl> impl);

    std::unique_ptr<Impl> m_impl;
};

} // namespace tarn::input
