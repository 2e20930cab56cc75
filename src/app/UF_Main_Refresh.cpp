// The refresh pass of the main window: fetch requests, looks, request log, recording and the full-screen
// mirror of every shown camera.
#include "app/UF_Main.h"

#include "acquisition/Log_Line.h"
#include "acquisition/Snapshot_Url.h"
#include "acquisition/UF_Lib_Cam.h"
#include "platform/Clock.h"
#include "recording/Snapshot_Path.h"
#include "recording/Snapshot_Writer.h"
#include "views/Camera_Grid.h"
#include "views/Log_Panel.h"
#include "views/Settings_Panel.h"
#include "views/Slot_Look.h"
#include "views/UF_Full_Screen.h"
#include "widgets/Busy_Animation.h"
#include "widgets/Folder_Edit.h"
#include "widgets/Panel.h"
#include "widgets/Picture_Box.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>

#include <algorithm>

namespace {

// How a camera's pictures are used in a pass: the largest size they are drawn at (its grid panel, and
// the full-screen picture with its zoom for the full-screen camera) and whether the motion level is read.
T_Picture_Use Picture_Use(const T_Cam& cam, QSize panel, QSize full_screen)
{
    T_Picture_Use use;
    use.Shown_Width = std::max(panel.width(), full_screen.width());
    use.Shown_Height = std::max(panel.height(), full_screen.height());
    use.Motion = cam.Valide_Record == Rec_Mode_Motion;
    return use;
}

}  // namespace

void TF_Main::Refresh_Cams()
{
    const Local_Date_Time now = Time().Now();
    Snapshot_Writer writer;  // the pass's work bitmap and encoder, released with the pass in every case
    Dest_Folder = PNL_Config->DED_Dest_Folder->Path_Bytes();
    const bool full_screen_shown = !Creating && F_Full_Screen && F_Full_Screen->isVisible();

    for (int N = 1; N <= Nb_Slots; ++N) {
        TF_Lib_Cam* worker = Lib_Cam[static_cast<std::size_t>(N)].get();
        // A panel that is not shown keeps no stream open.
        const auto release_stream = [worker] {
            if (worker)
                worker->Release_Stream();
        };
        if (N > Nb_Cam) {
            release_stream();
            continue;
        }
        const T_Cam& cam = Cam[N];
        T_Slot_View view;
        view.Caption = QString::fromStdString(Slot_Caption(N, cam.Alias));

        if (full_screen_shown && N != N_Cam_Full_Screen) {
            // Only the full-screen camera is fetched, shown, measured and recorded; the others are frozen.
            view.Look = Slot_Look::Frozen;
            Grid().Show(N, view);
            release_stream();
            continue;
        }
        bool save = false;
        if (!cam.Valide || !worker) {
            view.Look = Slot_Look::Disabled;
            release_stream();
        } else {
            const T_Fetch_Request request = Fetch_Request(cam);
            const std::string& url = request.Url;
            worker->Set_Request(request);
            const bool full_screen_cam = full_screen_shown && N == N_Cam_Full_Screen;
            worker->Set_Picture_Use(Picture_Use(cam, Grid().Slot(N).IMG_Cam->size(),
                                                full_screen_cam ? F_Full_Screen->IMG_Cam->size() : QSize()));
            const std::string stamp = Log_Active ? Log_Stamp(now) : std::string();
            worker->Poll_Flux();
            for (const std::string& note : worker->Take_Notes())
                if (Log_Active)
                    PNL_Visue_Expert->Append_Line(Log_Line_Note(stamp, N, note));
            if (worker->Not_Connected()) {
                view.Look = Slot_Look::Waiting;
                if (Log_Active)
                    PNL_Visue_Expert->Append_Line(Log_Line_Not_Connected(stamp, N, url));
            } else {
                view.Look = Slot_Look::Live;
                view.Picture = worker->BMP_Received();
                if (Log_Active)
                    PNL_Visue_Expert->Append_Line(Log_Line_Shown(stamp, N, worker->Time_Requested(), url));
                save = Record_Cam(N, now, view);
            }
        }
        Grid().Show(N, view);
        if (!Creating && F_Full_Screen) {
            if (F_Full_Screen->isVisible())
                F_Full_Screen->Show(N_Cam_Full_Screen, view);
            else
                F_Full_Screen->Clear_Picture();
        }
        // A snapshot that cannot be written ends the pass here (the error goes to the program's error path).
        if (save)
            writer.Save(worker->Full_Picture(), cam.Alias, N, now, Dest_Folder);
    }
    Update_Certificate_Offer();
}

bool TF_Main::Record_Cam(int N, const Local_Date_Time& now, T_Slot_View& view)
{
    const T_Cam& cam = Cam[N];
    const TF_Lib_Cam& worker = *Lib_Cam[static_cast<std::size_t>(N)];
    T_Rec_Step_Input input;
    input.Valide_Record = cam.Valide_Record;
    input.K_Motion = worker.K_Motion;
    input.K_Detect = cam.K_Detect;
    input.Timer_On = cam.Timer_On;
    input.Timer_Off = cam.Timer_Off;
    input.Frequence_Rec = Frequence_Rec;
    input.Delay_Stop_Rec = Delay_Stop_Rec;
    input.Now = Time().Tick_Ms();
    input.Time_Of_Day = [this] { return Time().Now().Time_Of_Day(); };
    input.Folder_Usable = Is_Record_Folder(Dest_Folder);
    const T_Rec_Step_Output step = Record_Step(Rec_Slot[static_cast<std::size_t>(N)], input);

    if (step.Show_Gauge)
        view.Motion_Gauge = step.Gauge_Position;
    switch (step.Icon) {
    case Rec_Icon::None: break;
    case Rec_Icon::Mod_NoRec: view.Record_Icon = IMG_Mod_NoRec; break;
    case Rec_Icon::Mod_Rec: view.Record_Icon = IMG_Mod_Rec; break;
    case Rec_Icon::Mod_RecDet: view.Record_Icon = IMG_Mod_RecDet; break;
    case Rec_Icon::Mod_NoRec_Timer: view.Record_Icon = IMG_Mod_NoRec_Timer; break;
    }
    // A snapshot refused for its folder is only told in the log, once per interval.
    if (step.Refused && Log_Active)
        PNL_Visue_Expert->Append_Line(Log_Line_Note(Log_Stamp(now), N, Not_Recorded_Note(Dest_Folder)));
    return step.Save_Now;
}
