#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (log-out, kill, Ctrl+C) into a signal on the event loop, so the
// program ends through its orderly unload instead of dying in the middle of a tick.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    // True from the moment a signal arrived, even while no events have run since.
    bool requested() const;

Q_SIGNALS:
    void terminationRequested();

private:
    QSocketNotifier* notifier_ = nullptr;
};
