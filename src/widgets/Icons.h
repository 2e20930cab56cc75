#pragma once
#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <span>

// The program's small pictures, all drawn by code (no image files to ship). Pictures drawn at a
// fixed size are drawn once and cached; the QPixmap functions need a QGuiApplication.
namespace Icons {

enum class Direction { Up, Down, Left, Right };

// A filled arrow head pointing `direction`, filling a transparent picture of `size` less a margin
// (any size: the jog pad's buttons are 29 x 18 and 17 x 27, the zoom pad's arrows 32 x 32).
QPixmap Arrow(Direction direction, QSize size, const QColor& color = QColor(220, 220, 220));

// The zoom pad's centre picture ("back to the full view"): a frame with four corner marks.
QPixmap Full_View(QSize size = QSize(25, 25));

// The mirror buttons' pictures, 32 x 32: a shape and its reflection across a horizontal axis
// (vertical mirror) or a vertical axis (horizontal mirror).
QPixmap Mirror_Vertical();
QPixmap Mirror_Horizontal();

// The recording status icons of a camera panel, 24 x 24.
QImage Image_Mod_NoRec();        // circular dark button with a white square: not recording
QImage Image_Mod_Rec();          // the same button with a red square: recording
QImage Image_Mod_RecDet();       // red square with a white running figure: recording after motion
QImage Image_Mod_NoRec_Timer();  // white square with red clock hands: waiting for the time window
QPixmap Icon_Mod_NoRec();
QPixmap Icon_Mod_Rec();
QPixmap Icon_Mod_RecDet();
QPixmap Icon_Mod_NoRec_Timer();

// The application's picture (a camera lens over a 3 x 3 grid of screens), `size` x `size` pixels,
// any size from 16 to 256 (values outside are brought into that range).
QImage App_Image(int size);
// The window icon, with the sizes 16, 24, 32, 48, 64, 128 and 256.
QIcon App_Icon();
// Writes App_Image(size) as `file` in PNG format; false if the file could not be written.
bool Write_App_Icon_Png(const QString& file, int size);
// Writes one PNG per size in the icon theme layout: `folder`/NxN/apps/`name`.png, creating the
// folders. Returns false as soon as one cannot be written.
bool Write_App_Icon_Pngs(const QString& folder, std::span<const int> sizes,
                         const QString& name = QStringLiteral("tambrel"));

}  // namespace Icons
