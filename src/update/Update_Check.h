#pragma once
#include <QDate>
#include <QDateTime>

#include <functional>
#include <string>

class Link_Label;
class QWidget;
class TF_Update;

// What the update check copies from the main window.
struct Update_Check_Input {
    std::string Appli_Name;     // "Tambrel"
    std::string Appli_Version;  // "V3.1"
    std::string Url_Ver;        // the version file on the maker's server
};

// The check's contacts with the world. An empty member takes its default.
struct Update_Check_Seams {
    // Shows the prompt modally and returns its modal result. Default: exec().
    std::function<int(TF_Update&)> Prompt;
    // Ends the program the way closing its window does. Default: Close_Program(owner).
    std::function<void()> End_Program;
    // Today's local date. Default: QDate::currentDate().
    std::function<QDate()> Today;
    // Last modification of the program's own file. Default: Program_File_Time().
    std::function<QDateTime()> Program_File_Time;
    // Longest time the version request may block (0: Check_Ver_Deadline_Ms).
    int Check_Deadline_Ms = 0;
};

// What one check did, for the caller's records and for tests.
struct Update_Check_Outcome {
    bool Version_Received = false;  // Check_Version returned true
    std::string Version_Available;  // first (up to) four bytes of the version file
    bool Newer = false;
    bool Aged = false;
    bool Prompted = false;
    int Modal_Result = 0;  // the prompt's result when Prompted
    bool Ended = false;    // the program was asked to end and the update link clicked
};

// The update check, run once per run by the main window's TMR_UpdateTimer after it disabled its
// timer. On the calling (user-interface) thread:
//  1. creates F_Update (owner `owner`) with copies of the input;
//  2. Newer := Check_Version() returned true and Is_Newer(Version_Available, Appli_Version);
//  3. Aged := Is_Aged(today, program file time);
//  4. when Newer or Aged, shows the prompt; on result 1 it ends the program (End_Program: the
//     window's close handler runs, so the settings are written first), then clicks LBL_Update
//     (which opens the installer download, unless that link already failed once);
//  5. releases F_Update.
// Blocks while the version file is fetched (bounded, see Fetch_Version) and while the prompt shows.
// LBL_Update must outlive the owner's close (the main window's is its child: closing hides it).
Update_Check_Outcome Run_Update_Check(QWidget* owner, const Update_Check_Input& input, Link_Label& LBL_Update,
                                      const Update_Check_Seams& seams = {});

// Ends the program the way an accepted update offer does, which is the way the user closing the
// main window does: owner's window is asked to close (its close handler runs: the main window
// answers a question box still open with No and writes the settings), then the message loop is
// asked to end (QCoreApplication::quit, which since Qt 6 closes any other window first; it does
// nothing outside the message loop). A window that refuses to close keeps the program running.
// A null owner leaves the closing to quit().
void Close_Program(QWidget* owner);

// Last modification time of the running program's file; invalid when it cannot be found.
QDateTime Program_File_Time();
