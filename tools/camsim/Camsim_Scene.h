#pragma once
#include <QImage>
#include <QString>

// The synthetic world one simulated camera looks at: a landscape twice the picture's size in
// each direction. Drawing text needs a QGuiApplication.
class Camsim_Scene {
public:
    Camsim_Scene(int camera_number, int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Largest view offsets (the view is a picture-sized window into the world).
    int Max_View_X() const { return world_.width() - width_; }
    int Max_View_Y() const { return world_.height() - height_; }

    // One frame: the view at (view_x, view_y), a moving object placed by seconds (time since the
    // camera started), mirrored by flip (bit 0 vertical, bit 1 horizontal), then the camera
    // number and clock_text drawn readable on top.
    QImage Render(int view_x, int view_y, double seconds, int flip, const QString& clock_text) const;

private:
    int number_;
    int width_;
    int height_;
    QImage world_;  // drawn once: sky, ground, hills, houses
};
