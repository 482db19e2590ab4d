#pragma once

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the main thread, so that a stop asked by
// the session or the user runs the same orderly quit as the menu. Construct it first thing in
// main, before any thread starts: the signals are blocked for every thread and read from a
// descriptor instead, so no handler ever runs inside an arbitrary thread.

#include <memory>

#include <QObject>

class QSocketNotifier;

namespace tarn::input {

class StopSignals : public QObject {
    Q_OBJECT

public:
    // Blocks the signals; call before any thread is created. Needs no Qt application yet.
    static void blockInEveryThread();

    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;

signals:
    void stopRequested(int signalNumber);

private:
    void onReadable();

    int m_fd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace tarn::input
