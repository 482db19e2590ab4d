// A plain xdg-shell window with the app id and title given on the command line, for the tests of
// the Wayland workspace: WaylandTestWindow <app id> <title>. It shows a small grey square until
// it is killed or the compositor goes away.

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "xdg-shell-client-protocol.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

namespace {

constexpr int kSize = 64;

struct Window {
    wl_compositor* compositor = nullptr;
    wl_shm* shm = nullptr;
    xdg_wm_base* shell = nullptr;
    wl_surface* surface = nullptr;
    wl_buffer* buffer = nullptr;
};

void onGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t)
{
    auto& window = *static_cast<Window*>(data);
    if (std::strcmp(interface, wl_compositor_interface.name) == 0) {
        window.compositor = static_cast<wl_compositor*>(wl_registry_bind(registry, name, &wl_compositor_interface, 4));
    } else if (std::strcmp(interface, wl_shm_interface.name) == 0) {
        window.shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
    } else if (std::strcmp(interface, xdg_wm_base_interface.name) == 0) {
        window.shell = static_cast<xdg_wm_base*>(wl_registry_bind(registry, name, &xdg_wm_base_interface, 1));
    }
}
void onGlobalRemoved(void*, wl_registry*, std::uint32_t) { }
constexpr wl_registry_listener registryListener {onGlobal, onGlobalRemoved};

void onPing(void*, xdg_wm_base* shell, std::uint32_t serial)
{
    xdg_wm_base_pong(shell, serial);
}
constexpr xdg_wm_base_listener shellListener {onPing};

void onSurfaceConfigure(void* data, xdg_surface* surface, std::uint32_t serial)
{
    auto& window = *static_cast<Window*>(data);
    xdg_surface_ack_configure(surface, serial);
    wl_surface_attach(window.surface, window.buffer, 0, 0);
    wl_surface_damage(window.surface, 0, 0, kSize, kSize);
    wl_surface_commit(window.surface);
}
constexpr xdg_surface_listener surfaceListener {onSurfaceConfigure};

wl_buffer* greySquare(wl_shm* shm)
{
    constexpr int stride = kSize * 4;
    constexpr int bytes = stride * kSize;
    const int fd = ::memfd_create("tarn-test-window", MFD_CLOEXEC);
    if (fd < 0 || ::ftruncate(fd, bytes) != 0) {
        return nullptr;
    }
    void* pixels = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (pixels == MAP_FAILED) {
        return nullptr;
    }
    std::memset(pixels, 0x80, bytes);
    ::munmap(pixels, bytes);
    wl_shm_pool* pool = wl_shm_create_pool(shm, fd, bytes);
    wl_buffer* buffer = wl_shm_pool_create_buffer(pool, 0, kSize, kSize, stride, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    ::close(fd);
    return buffer;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: WaylandTestWindow <app id> <title>\n", stderr);
        return 2;
    }
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        std::fputs("WaylandTestWindow: no Wayland display\n", stderr);
        return 1;
    }
    Window window;
    wl_registry_add_listener(wl_display_get_registry(display), &registryListener, &window);
    wl_display_roundtrip(display);
    if (window.compositor == nullptr || window.shm == nullptr || window.shell == nullptr) {
        std::fputs("WaylandTestWindow: the compositor lacks wl_compositor, wl_shm or xdg_wm_base\n", stderr);
        return 1;
    }
    window.buffer = greySquare(window.shm);
    if (window.buffer == nullptr) {
        std::perror("WaylandTestWindow: no shared memory");
        return 1;
    }
    xdg_wm_base_add_listener(window.shell, &shellListener, nullptr);
    window.surface = wl_compositor_create_surface(window.compositor);
    xdg_surface* surface = xdg_wm_base_get_xdg_surface(window.shell, window.surface);
    xdg_surface_add_listener(surface, &surfaceListener, &window);
    xdg_toplevel* toplevel = xdg_surface_get_toplevel(surface);
    xdg_toplevel_set_app_id(toplevel, argv[1]);
    xdg_toplevel_set_title(toplevel, argv[2]);
    wl_surface_commit(window.surface);
    while (wl_display_dispatch(display) >= 0) { }
    return 0;
}
