// The script the KWin adapter loads into KWin, run by Node against stand-ins for KWin's
// workspace in both of its namings (Plasma 6 "windows", Plasma 5 "clients"): the lists it sends
// and where it sends them.
// node KWinScriptTest.js <path to WindowListScript.js>
'use strict';

const assert = require('assert');
const fs = require('fs');

class Signal {
    constructor() {
        this.handlers = [];
    }
    connect(handler) {
        this.handlers.push(handler);
    }
    emit(...args) {
        for (const handler of this.handlers)
            handler(...args);
    }
}

function window(fields) {
    return Object.assign({normalWindow: true, skipTaskbar: false, active: false, pid: 0, caption: ''}, fields);
}

function run(source, plasma6) {
    const sent = [];
    const windows = [
        window({desktopFileName: 'org.kde.dolphin', resourceClass: 'dolphin', caption: 'Home — Dolphin', pid: 10,
            active: true}),
        window({desktopFileName: '', resourceClass: 'xterm', caption: 'user@host: ~', pid: 11}),
        window({resourceClass: 'plasmashell', normalWindow: false}), // a panel
        window({resourceClass: 'helper', skipTaskbar: true}),
    ];
    const signals = {activated: new Signal(), added: new Signal(), removed: new Signal()};
    const workspace = plasma6
        ? {windowActivated: signals.activated, windowAdded: signals.added, windowRemoved: signals.removed,
            windowList: () => windows}
        : {clientActivated: signals.activated, clientAdded: signals.added, clientRemoved: signals.removed,
            clientList: () => windows};
    const callDBus = (...args) => sent.push(args);
    const script = source.replaceAll('%SERVICE%', ':1.42').replaceAll('%PATH%', '/com/harrowfen/TarnInput/KWinWindows')
        .replaceAll('%INTERFACE%', 'com.harrowfen.TarnInput.KWinWindows');
    new Function('workspace', 'callDBus', script)(workspace, callDBus);
    const lists = () => sent.map(args => JSON.parse(args[4]));

    // Sent once at once, to the adapter's object.
    assert.strictEqual(sent.length, 1);
    assert.deepStrictEqual(sent[0].slice(0, 4),
        [':1.42', '/com/harrowfen/TarnInput/KWinWindows', 'com.harrowfen.TarnInput.KWinWindows', 'Update']);
    assert.deepStrictEqual(lists()[0], [
        {appId: 'org.kde.dolphin', title: 'Home — Dolphin', pid: 10, focused: true},
        {appId: 'xterm', title: 'user@host: ~', pid: 11, focused: false}, // no desktop file: its class
    ]);

    // The focus moves.
    windows[0].active = false;
    windows[1].active = true;
    signals.activated.emit(windows[1]);
    assert.deepStrictEqual(lists()[1].map(w => w.focused), [false, true]);

    // A window opens.
    windows.push(window({desktopFileName: 'org.kde.konsole', pid: 12}));
    signals.added.emit(windows[windows.length - 1]);
    assert.deepStrictEqual(lists()[2].map(w => w.appId), ['org.kde.dolphin', 'xterm', 'org.kde.konsole']);

    // A window closes while KWin still lists it.
    signals.removed.emit(windows[0]);
    assert.deepStrictEqual(lists()[3].map(w => w.appId), ['xterm', 'org.kde.konsole']);
    assert.strictEqual(sent.length, 4);
}

const source = fs.readFileSync(process.argv[2], 'utf8');
run(source, true);
run(source, false);
console.log('KWin window-list script: all checks passed');
