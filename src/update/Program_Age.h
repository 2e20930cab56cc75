#pragma once
#include <QDate>
#include <QDateTime>

// A program file older than this many days makes the update check offer a newer version even
// when none was published (or the version file could not be read).
inline constexpr int Aged_After_Days = 20;

// True when today at 00:00 is later than the program file's last modification plus
// Aged_After_Days days. Both sides are local wall-clock times and the days are calendar days
// (QDate::addDays: month and year lengths, leap days), so a daylight-saving change between the two
// moves nothing: a file modified 20 days before today at 10:00 is not aged, 21 days before is.
// A file time exactly 20 days before today's midnight is not aged (the comparison is strict).
// An invalid date or file time (no file found) gives false: without a date there is nothing to
// age.
bool Is_Aged(const QDate& today, const QDateTime& program_file_time);
