// The GNOME Shell extension's own code, run by Node against stand-ins for the shell's objects:
// what it publishes on the bus, when it sends, and that disabling it leaves nothing behind.
// node GnomeShellExtensionTest.js <path to extension.js>
'use strict';

const assert = require('assert');
const fs = require('fs');

const BUS_NAME = 'com.harrowfen.TarnInput.ShellWindows';
const OBJECT_PATH = '/com/harrowfen/TarnInput/ShellWindows';

// Signal connections of one stand-in object.
class Signals {
    constructor() {
        this.handlers = new Map();
        this.nextId = 1;
    }
    connect(name, handler) {
        const id = this.nextId++;
        this.handlers.set(id, {name, handler});
        return id;
    }
    disconnect(id) {
        assert.ok(this.handlers.delete(id), `disconnect of an unknown id ${id}`);
    }
    emit(name) {
        for (const {name: connected, handler} of this.handlers.values()) {
            if (connected === name)
                handler();
        }
    }
}

function makeShell() {
    const shell = {idle: new Map(), nextIdle: 1, owned: new Map(), exported: null, sent: []};
    const window = (title, pid, wmClass, gtkId) => ({
        get_title: () => title,
        get_pid: () => pid,
        get_wm_class: () => wmClass,
        get_gtk_application_id: () => gtkId,
    });
    shell.files = window('Home', 4242, 'org.gnome.Nautilus', 'org.gnome.Nautilus');
    shell.terminal = window('user@host: ~', -1, 'XTerm', null);
    shell.tool = window('Untitled', 77, 'Tool', 'org.example.Tool');
    const apps = new Map([
        [shell.files, {get_id: () => 'org.gnome.Nautilus.desktop', is_window_backed: () => false}],
        [shell.tool, {get_id: () => 'window:12', is_window_backed: () => true}],
    ]);
    shell.windows = [shell.files, shell.terminal, shell.tool];
    shell.display = Object.assign(new Signals(), {
        focus_window: shell.files,
        get_tab_list: (type, workspace) => {
            assert.strictEqual(type, 0);
            assert.strictEqual(workspace, null);
            return shell.windows;
        },
    });
    shell.tracker = Object.assign(new Signals(), {get_window_app: window => apps.get(window) || null});
    shell.runIdle = () => {
        const callbacks = [...shell.idle.values()];
        shell.idle.clear();
        for (const callback of callbacks)
            assert.strictEqual(callback(), false, 'an idle callback runs once');
    };
    const GLib = {
        PRIORITY_DEFAULT_IDLE: 200,
        SOURCE_REMOVE: false,
        idle_add: (priority, callback) => {
            const id = shell.nextIdle++;
            shell.idle.set(id, callback);
            return id;
        },
        source_remove: id => assert.ok(shell.idle.delete(id)),
        Variant: class {
            constructor(type, values) {
                assert.strictEqual(type, '(s)');
                this.values = values;
            }
        },
    };
    const Gio = {
        DBus: {session: {name: 'session'}},
        BusNameOwnerFlags: {NONE: 0},
        bus_own_name_on_connection: (connection, name) => {
            assert.strictEqual(connection, Gio.DBus.session);
            const id = shell.owned.size + 1;
            shell.owned.set(id, name);
            return id;
        },
        bus_unown_name: id => assert.ok(shell.owned.delete(id)),
        DBusExportedObject: {
            wrapJSObject: (xml, object) => ({
                export(connection, path) {
                    shell.exported = {xml, object, path};
                },
                unexport() {
                    shell.exported = null;
                },
                emit_signal(name, variant) {
                    shell.sent.push({name, windows: JSON.parse(variant.values[0])});
                },
            }),
        },
    };
    shell.imports = {gi: {Gio, GLib, Meta: {TabList: {NORMAL: 0}}, Shell: {WindowTracker: {get_default: () => shell.tracker}}}};
    shell.global = {display: shell.display};
    return shell;
}

function loadExtension(path, shell) {
    const source = fs.readFileSync(path, 'utf8');
    return new Function('imports', 'global', `${source}\nreturn init();`)(shell.imports, shell.global);
}

const extensionPath = process.argv[2];
const shell = makeShell();
const extension = loadExtension(extensionPath, shell);
extension.enable();

assert.deepStrictEqual([...shell.owned.values()], [BUS_NAME]);
assert.strictEqual(shell.exported.path, OBJECT_PATH);
shell.runIdle();
const expected = [
    {appId: 'org.gnome.Nautilus.desktop', title: 'Home', pid: 4242, focused: true},
    {appId: 'XTerm', title: 'user@host: ~', pid: 0, focused: false}, // no application: its class; no pid
    {appId: 'org.example.Tool', title: 'Untitled', pid: 77, focused: false}, // window-backed: its GTK id
];
assert.deepStrictEqual(shell.sent, [{name: 'WindowsChanged', windows: expected}]);
assert.deepStrictEqual(JSON.parse(shell.exported.object.GetWindows()), expected);

// Several notices in one turn of the main loop: one signal, after them.
shell.display.focus_window = shell.terminal;
shell.display.emit('notify::focus-window');
shell.windows = [shell.files, shell.terminal];
shell.tracker.emit('tracked-windows-changed');
assert.strictEqual(shell.sent.length, 1, 'nothing is sent before the turn ends');
shell.runIdle();
assert.strictEqual(shell.sent.length, 2);
assert.deepStrictEqual(shell.sent[1].windows.map(window => window.focused), [false, true]);
// A notice that changes nothing sends nothing.
shell.tracker.emit('tracked-windows-changed');
shell.runIdle();
assert.strictEqual(shell.sent.length, 2);

// Disabled with a send pending: nothing stays connected, owned, exported or scheduled.
shell.display.emit('notify::focus-window');
extension.disable();
assert.strictEqual(shell.display.handlers.size, 0);
assert.strictEqual(shell.tracker.handlers.size, 0);
assert.strictEqual(shell.owned.size, 0);
assert.strictEqual(shell.exported, null);
assert.strictEqual(shell.idle.size, 0);

// Enabled again (GNOME does so after the screen is unlocked): the list is sent again.
extension.enable();
shell.runIdle();
assert.strictEqual(shell.sent.length, 3);
extension.disable();
console.log('GNOME Shell extension: all checks passed');
