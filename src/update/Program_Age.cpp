#include "update/Program_Age.h"

bool Is_Aged(const QDate& today, const QDateTime& program_file_time)
{
    if (!today.isValid() || !program_file_time.isValid())
        return false;
    const QDate limit_date = program_file_time.toLocalTime().date().addDays(Aged_After_Days);
    // Today at 00:00 is later than the limit (limit_date at the file's time of day) exactly when
    // today is a later calendar day: on limit_date itself 00:00 is never later than the file's time.
    return today > limit_date;
}
