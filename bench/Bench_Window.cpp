#include "Bench_Window.h"

#include "imaging/Jpeg_Codec.h"
#include "model/Cams_Ini.h"

#include <QDir>

void Write_Bench_Settings(const QString& home, const T_General& general, const T_Cams& cams)
{
    const QString data = home + "/_data_Tambrel";
    QDir().mkpath(data);
    const std::string datas = (data + "/datas.ini").toStdString();
    Write_General(datas, general);
    Write_Cams_Ini(datas, cams);
}

T_Cam Bench_Camera(int n, int port, const std::string& password, int record_mode)
{
    T_Cam cam = Default_Cam(n);
    cam.Ad_Ip = "127.0.0.1";
    cam.Port = port;
    cam.Login = "admin";
    cam.Password = password;
    cam.Valide_Record = record_mode;
    return cam;
}

QByteArray Largest_Accepted_Picture()
{
    QImage small(16, 16, QImage::Format_RGB32);
    small.fill(Qt::darkGray);
    QByteArray jpeg = Jpeg_Encode(small, 50);
    const qsizetype sof = jpeg.indexOf("\xFF\xC0");
    // Height, then width, big-endian after the marker, the length and the precision.
    for (qsizetype at : {sof + 5, sof + 7}) {
        jpeg[at] = static_cast<char>(8000 >> 8);
        jpeg[at + 1] = static_cast<char>(8000 & 0xFF);
    }
    return jpeg;
}

Shown_Pictures::Shown_Pictures(QWidget& window, int count)
    : boxes_(static_cast<std::size_t>(count) + 1, nullptr), last_(boxes_.size(), 0), shown_(boxes_.size(), 0)
{
    for (int n = 1; n <= count; ++n)
        boxes_[static_cast<std::size_t>(n)] = window.findChild<Picture_Box*>(QStringLiteral("IMG_Cam%1").arg(n));
    timer_ = window.findChild<QTimer*>(QStringLiteral("TMR_Refresh_Cam"));
    if (timer_)
        QObject::connect(timer_, &QTimer::timeout, this, [this] { Count(); });
}

void Shown_Pictures::Count()
{
    if (!counting_)
        return;
    ++passes_;
    for (std::size_t n = 1; n < boxes_.size(); ++n) {
        const qint64 key = boxes_[n] ? boxes_[n]->Picture().cacheKey() : 0;
        if (key != 0 && key != last_[n])
            ++shown_[n];
        last_[n] = key;
    }
}
