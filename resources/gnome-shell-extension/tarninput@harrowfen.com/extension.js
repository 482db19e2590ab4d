// Tells TarnInput about the session's windows over the session bus: GNOME Shell offers other
// programs no way to learn which application is in front. The name, path and interface below and
// the list's JSON shape ([{appId, title, pid, focused}], one entry per normal window; pid 0 when
// unknown) are what TarnInput's GNOME Shell adapter reads.
'use strict';

const { Gio, GLib, Meta, Shell } = imports.gi;

const BUS_NAME = 'com.harrowfen.TarnInput.ShellWindows';
const OBJECT_PATH = '/com/harrowfen/TarnInput/ShellWindows';
const INTERFACE = `
<node>
  <interface name="com.harrowfen.TarnInput.ShellWindows">
    <method name="GetWindows">
      <arg type="s" direction="out" name="windows"/>
    </method>
    <signal name="WindowsChanged">
      <arg type="s" name="windows"/>
    </signal>
  </interface>
</node>`;

class ShellWindows {
    constructor() {
        this._tracker = null;
        this._exported = null;
        this._nameId = 0;
        this._idleId = 0;
        this._connections = [];
        this._lastSent = '';
    }

    // Called over the bus.
    GetWindows() {
        return this._describe();
    }

    _appIdOf(window) {
        const app = this._tracker.get_window_app(window);
        if (app && !app.is_window_backed())
            return app.get_id();
        return window.get_gtk_application_id() || window.get_wm_class() || '';
    }

    _describe() {
        const focused = global.display.focus_window;
        const windows = global.display.get_tab_list(Meta.TabList.NORMAL, null).map(window => ({
            appId: this._appIdOf(window),
            title: window.get_title() || '',
            pid: Math.max(window.get_pid(), 0),
            focused: window === focused,
        }));
        return JSON.stringify(windows);
    }

    // A focus move and a window opening come as several notices in one turn of the main loop;
    // the list is sent once, after them, and only when it changed.
    _scheduleSend() {
        if (this._idleId)
            return;
        this._idleId = GLib.idle_add(GLib.PRIORITY_DEFAULT_IDLE, () => {
            this._idleId = 0;
            const windows = this._describe();
            if (windows !== this._lastSent) {
                this._lastSent = windows;
                this._exported.emit_signal('WindowsChanged', new GLib.Variant('(s)', [windows]));
            }
            return GLib.SOURCE_REMOVE;
        });
    }

    _follow(object, signal) {
        this._connections.push([object, object.connect(signal, () => this._scheduleSend())]);
    }

    enable() {
        this._tracker = Shell.WindowTracker.get_default();
        this._exported = Gio.DBusExportedObject.wrapJSObject(INTERFACE, this);
        this._exported.export(Gio.DBus.session, OBJECT_PATH);
        this._nameId = Gio.bus_own_name_on_connection(Gio.DBus.session, BUS_NAME,
            Gio.BusNameOwnerFlags.NONE, null, null);
        this._follow(global.display, 'notify::focus-window');
        this._follow(this._tracker, 'tracked-windows-changed');
        this._scheduleSend();
    }

    disable() {
        for (const [object, id] of this._connections)
            object.disconnect(id);
        this._connections = [];
        if (this._idleId) {
            GLib.source_remove(this._idleId);
            this._idleId = 0;
        }
        Gio.bus_unown_name(this._nameId);
        this._nameId = 0;
        this._exported.unexport();
        this._exported = null;
        this._tracker = null;
        this._lastSent = '';
    }
}

function init() {
    return new ShellWindows();
}
