#pragma once
#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into the Qt signal Close_Requested(), delivered on the thread of the
// event loop. The signal handler only writes one byte to a socket pair; all work happens in the loop.
// One bridge per process.
class Signal_Bridge : public QObject {
    Q_OBJECT
public:
    explicit Signal_Bridge(QObject* parent = nullptr);
    ~Signal_Bridge() override;

signals:
    void Close_Requested(int signal_number);

private:
    void Read_Signal();
    QSocketNotifier* notifier_ = nullptr;
};
