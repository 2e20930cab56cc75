#pragma once
// The viewer's main window as the benchmarks drive it: set up through its settings file (as a user's
// datas.ini would), watched through its named controls, never through its inside.

#include "model/T_Cam.h"
#include "model/T_General.h"
#include "widgets/Picture_Box.h"

#include <QByteArray>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <string>
#include <vector>

// The settings of a window about to be created with $XDG_DATA_HOME at home: datas.ini holds general and
// cams (written through the settings store, as the program writes them).
void Write_Bench_Settings(const QString& home, const T_General& general, const T_Cams& cams);

// Camera n's record for a simulated camera on 127.0.0.1:port, enabled, recording in record_mode.
T_Cam Bench_Camera(int n, int port, const std::string& password, int record_mode = 0);

// The largest picture the decoder accepts (64 megapixels): a small JPEG whose header announces
// 8000 x 8000, tiny to send, huge to decode (the decoder fills what the scan lacks).
QByteArray Largest_Accepted_Picture();

// Counts the pictures newly shown by the grid's panels 1..count, after every refresh pass. Not a child of
// the window (it lives on the caller's stack): its connection ends with whichever goes first.
class Shown_Pictures : public QObject {
public:
    Shown_Pictures(QWidget& window, int count);
    // Starts (or stops) counting.
    void Set_Counting(bool counting) { counting_ = counting; }
    long Of(int n) const { return shown_[static_cast<std::size_t>(n)]; }
    long Passes() const { return passes_; }
    QTimer* Refresh_Timer() const { return timer_; }

private:
    void Count();

    std::vector<Picture_Box*> boxes_;
    std::vector<qint64> last_;
    std::vector<long> shown_;
    QTimer* timer_ = nullptr;
    long passes_ = 0;
    bool counting_ = true;
};
