#pragma once
// The caption drawn into a recorded snapshot: "Tambrel | alias | dd/mm/yyyy  hh:mm:ss" in white
// at the bottom edge, placed from two fixed sample texts (see Snapshot_Texts.h).

#include "platform/Clock.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QSize>

#include <string>

// The application's default face, 10 points, bold.
QFont Caption_Font();

// Top-left corner of the caption's text cell in a picture of the given size:
//   top  = picture height - height_sample_height
//   left = picture width / 2 - width_sample_width / 2   (integer division, toward zero)
// May be negative: a caption wider or taller than a small picture starts left of it or above
// it, and only its middle part shows.
QPoint Caption_Position(const QSize& picture, int height_sample_height, int width_sample_width);

// Draws the caption for alias and the clock reading now into picture with Caption_Font, white
// pen, no background behind the text. The point size is measured at the picture's own
// resolution (Snapshot_Writer sets its work bitmap to 96 dpi). A null picture is left alone.
void Draw_Caption(QImage& picture, const std::string& alias, const Local_Date_Time& now);
