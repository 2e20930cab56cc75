#include "update/Program_Age.h"

#include <gtest/gtest.h>

namespace {

QDateTime At(int year, int month, int day, int hour, int minute = 0, int second = 0, int ms = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second, ms));
}

TEST(Is_Aged, Today_At_Midnight_Later_Than_File_Plus_Twenty_Days)
{
    struct Row {
        const char* name;
        QDate today;
        QDateTime file;
        bool aged;
    };
    const QDate today(2024, 6, 15);
    const Row rows[] = {
        {"20 days before at 10:00", today, At(2024, 5, 26, 10), false},
        {"21 days before at 10:00", today, At(2024, 5, 25, 10), true},
        {"20 days before at midnight: equal, not later", today, At(2024, 5, 26, 0), false},
        {"21 days before at the last millisecond", today, At(2024, 5, 25, 23, 59, 59, 999), true},
        {"a year old", today, At(2023, 6, 15, 12), true},
        {"modified today", today, At(2024, 6, 15, 8), false},
        {"dated in the future", today, At(2024, 7, 1, 8), false},
        {"across a leap day, 20 days", QDate(2024, 3, 1), At(2024, 2, 10, 10), false},
        {"across a leap day, 21 days", QDate(2024, 3, 1), At(2024, 2, 9, 10), true},
        {"across the new year, 20 days", QDate(2025, 1, 10), At(2024, 12, 21, 23), false},
        {"across the new year, 21 days", QDate(2025, 1, 10), At(2024, 12, 20, 23), true},
        {"no file time", today, QDateTime(), false},
        {"no date", QDate(), At(2020, 1, 1, 0), false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Is_Aged(row.today, row.file), row.aged);
    }
}

TEST(Is_Aged, File_Time_In_Another_Zone_Is_Read_As_Local_Time)
{
    const QDate today(2024, 6, 15);
    const QDateTime local_limit = At(2024, 5, 26, 12);
    // The same instants written with a +14 h offset fall on the next calendar day there.
    constexpr int Offset_S = 14 * 3600;
    EXPECT_FALSE(Is_Aged(today, local_limit.toOffsetFromUtc(Offset_S)));
    EXPECT_TRUE(Is_Aged(today, local_limit.addDays(-1).toOffsetFromUtc(Offset_S)));
}

}  // namespace
