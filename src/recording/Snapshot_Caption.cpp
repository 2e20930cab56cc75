#include "recording/Snapshot_Caption.h"

#include "recording/Snapshot_Texts.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>

namespace {

constexpr int Caption_Point_Size = 10;

}  // namespace

QFont Caption_Font()
{
    QFont font;  // the application's default face
    font.setPointSize(Caption_Point_Size);
    font.setBold(true);
    return font;
}

QPoint Caption_Position(const QSize& picture, int height_sample_height, int width_sample_width)
{
    return {picture.width() / 2 - width_sample_width / 2, picture.height() - height_sample_height};
}

void Draw_Caption(QImage& picture, const std::string& alias, const Local_Date_Time& now)
{
    if (picture.isNull())
        return;
    QPainter painter(&picture);
    painter.setFont(Caption_Font());
    painter.setPen(Qt::white);
    painter.setBackgroundMode(Qt::TransparentMode);

    // Metrics of the font as it is rendered on this picture.
    const QFontMetrics metrics = painter.fontMetrics();
    const int sample_height =
        metrics.size(Qt::TextSingleLine, QString::fromStdString(Caption_Height_Sample(alias))).height();
    const int sample_width =
        metrics.size(Qt::TextSingleLine, QString::fromStdString(Caption_Width_Sample(alias))).width();
    const QPoint cell = Caption_Position(picture.size(), sample_height, sample_width);

    // The position is the top-left corner of the text cell; QPainter draws from the baseline.
    painter.drawText(QPoint(cell.x(), cell.y() + metrics.ascent()), QString::fromStdString(Caption_Text(alias, now)));
}
