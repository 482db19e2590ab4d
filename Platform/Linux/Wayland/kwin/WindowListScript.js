// Loaded into KWin by the program's KWin adapter: sends the list of windows to the adapter
// whenever one opens, closes or takes the focus, to the connection, object and interface that the
// adapter writes into the callDBus call below. Plasma 5 names windows "clients" where Plasma 6
// says "windows"; the script takes either. A window's app id is its desktop file where KWin
// knows one, else its class. A window being removed may still be listed while KWin tells of it,
// so the script leaves it out itself.
(function () {
    const activated = workspace.windowActivated || workspace.clientActivated;
    const added = workspace.windowAdded || workspace.clientAdded;
    const removed = workspace.windowRemoved || workspace.clientRemoved;
    const windows = () => (workspace.windowList ? workspace.windowList() : workspace.clientList());
    function send(gone) {
        const list = windows()
            .filter((w) => w !== gone && w.normalWindow && !w.skipTaskbar)
            .map((w) => ({
                appId: String(w.desktopFileName || w.resourceClass || ""),
                title: String(w.caption || ""),
                pid: Number(w.pid) || 0,
                focused: Boolean(w.active),
            }));
        callDBus("%SERVICE%", "%PATH%", "%INTERFACE%", "Update", JSON.stringify(list));
    }
    activated.connect(() => send(null));
    added.connect(() => send(null));
    removed.connect((window) => send(window));
    send(null);
})();
