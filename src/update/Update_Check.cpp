#include "update/Update_Check.h"

#include "update/Link_Label.h"
#include "update/Program_Age.h"
#include "update/UF_Update.h"
#include "update/Version_Rules.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QWidget>

void Close_Program(QWidget* owner)
{
    if (owner && !owner->window()->close())
        return;
    QCoreApplication::quit();
}

QDateTime Program_File_Time()
{
    const QFileInfo program(QCoreApplication::applicationFilePath());
    if (!program.exists())
        return {};
    return program.lastModified();
}

Update_Check_Outcome Run_Update_Check(QWidget* owner, const Update_Check_Input& input, Link_Label& LBL_Update,
                                      const Update_Check_Seams& seams)
{
    Update_Check_Outcome outcome;
    TF_Update F_Update(owner);
    F_Update.Appli_Name = input.Appli_Name;
    F_Update.Url_Ver = input.Url_Ver;
    F_Update.Appli_Version = input.Appli_Version;
    if (seams.Check_Deadline_Ms > 0)
        F_Update.Check_Deadline_Ms = seams.Check_Deadline_Ms;

    outcome.Version_Received = F_Update.Check_Version();
    outcome.Version_Available = F_Update.Version_Available;
    outcome.Newer = outcome.Version_Received && Is_Newer(F_Update.Version_Available, F_Update.Appli_Version);

    const QDate today = seams.Today ? seams.Today() : QDate::currentDate();
    const QDateTime file_time = seams.Program_File_Time ? seams.Program_File_Time() : Program_File_Time();
    outcome.Aged = Is_Aged(today, file_time);

    if (!outcome.Newer && !outcome.Aged)
        return outcome;

    outcome.Prompted = true;
    outcome.Modal_Result = seams.Prompt ? seams.Prompt(F_Update) : F_Update.exec();
    if (outcome.Modal_Result != TF_Update::Result_Yes)
        return outcome;

    // Closed first: what the user changed is written before the browser takes the screen.
    if (seams.End_Program)
        seams.End_Program();
    else
        Close_Program(owner);
    LBL_Update.Open();
    outcome.Ended = true;
    return outcome;
}
