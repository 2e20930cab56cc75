// The refresh pass of the main window: fetch requests, looks, request log, recording and the full-screen
// mirror of every shown camera.
#include "UF_Main.h"

#include "Busy_Animation.h"
#include "Camera_Grid.h"
#include "Clock.h"
#include "Folder_Edit.h"
#include "Log_Line.h"
#include "Log_Panel.h"
#include "Panel.h"
#include "Picture_Box.h"
#include "Settings_Panel.h"
#include "Slot_Look.h"
#include "Snapshot_Path.h"
#include "Snapshot_Url.h"
#include "Snapshot_Writer.h"
#include "UF_Full_Screen.h"
#include "UF_Lib_Cam.h"

#include <QLabel>
#include <QProgressBar>
#include <QPlainTextEdit>

void TF_Main::Refresh_Cams()
{
    const Local_Date_Time now = Time().Now();
    Snapshot_Writer writer;   // the pass's work bitmap and encoder, released with the pass in every case
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
        T_Cam_Slot_Controls& controls = Grid().Slot(N);
        const T_Cam& cam = Cam[N];
        const QString caption = QString::fromStdString(Slot_Caption(N, cam.Alias));

        if (full_screen_shown && N != N_Cam_Full_Screen) {
            // Only the full-screen camera is fetched, shown, measured and recorded; the others are frozen.
            Apply_Slot_Look(controls, Slot_Look::Frozen, caption, nullptr);
            release_stream();
            continue;
        }
        if (!cam.Valide || !worker) {
            Apply_Slot_Look(controls, Slot_Look::Disabled, caption, nullptr);
            release_stream();
        } else {
            const T_Fetch_Request request = Fetch_Request(cam);
            const std::string& url = request.Url;
            worker->Set_Request(request);
            const std::string stamp = Log_Active ? Log_Stamp(now) : std::string();
            worker->Poll_Flux();
            for (const std::string& note : worker->Take_Notes())
                if (Log_Active)
                    PNL_Visue_Expert->Append_Line(Log_Line_Note(stamp, N, note));
            if (worker->Not_Connected()) {
                Apply_Slot_Look(controls, Slot_Look::Waiting, caption, nullptr);
                if (Log_Active)
                    PNL_Visue_Expert->Append_Line(Log_Line_Not_Connected(stamp, N, url));
            } else {
                Apply_Slot_Look(controls, Slot_Look::Live, caption, &worker->BMP_Received());
                if (Log_Active)
                    PNL_Visue_Expert->Append_Line(Log_Line_Shown(stamp, N, worker->Time_Requested(), url));
                Record_Cam(N, now, writer);
            }
        }
        if (!Creating && F_Full_Screen)
            Mirror_Full_Screen(N);
    }
    Update_Certificate_Offer();
}

void TF_Main::Mirror_Full_Screen(int N)
{
    TF_Full_Screen& full = *F_Full_Screen;
    if (!full.isVisible()) {
        full.IMG_Cam->Clear();
        return;
    }
    const T_Cam_Slot_Controls& c = Grid().Slot(N);
    full.N_Cam = N_Cam_Full_Screen;
    full.PNL_Status_Cam->setVisible(c.PNL_Status_Cam->isVisibleTo(c.PNL_Cam));
    full.PNL_Status_Cam->Set_Color(c.PNL_Status_Cam->Color());
    full.PNL_Status_Cam->Set_Caption(c.PNL_Status_Cam->Caption());
    full.IMG_Cam->setVisible(c.IMG_Cam->isVisibleTo(c.PNL_Status_Cam));
    // A box of a third of the panel, a third of the way in.
    const int third_w = full.PNL_Status_Cam->width() / 3;
    const int third_h = full.PNL_Status_Cam->height() / 3;
    full.GIF_Cam->setGeometry(third_w, third_h, third_w, third_h);
    full.GIF_Cam->setVisible(c.GIF_Cam->isVisibleTo(c.PNL_Status_Cam));
    full.GIF_Cam->Set_Animate(c.GIF_Cam->Animate());
    Set_Label_Look(full.LBL_Cam, c.LBL_Cam->text(), c.LBL_Cam->palette().color(QPalette::WindowText), c.LBL_Cam->font().bold());
    full.IMG_Cam->Set_Picture(c.IMG_Cam->Picture());
    full.Show_N_Cam();
}

void TF_Main::Record_Cam(int N, const Local_Date_Time& now, Snapshot_Writer& writer)
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

    T_Cam_Slot_Controls& controls = Grid().Slot(N);
    if (step.Show_Gauge) {
        controls.PGB_Detect_Cam->setValue(step.Gauge_Position);
        controls.PGB_Detect_Cam->setVisible(true);
    }
    if (step.Icon != Rec_Icon::None) {
        const QImage* icon = step.Icon == Rec_Icon::Mod_NoRec   ? &IMG_Mod_NoRec
                           : step.Icon == Rec_Icon::Mod_Rec     ? &IMG_Mod_Rec
                           : step.Icon == Rec_Icon::Mod_RecDet  ? &IMG_Mod_RecDet
                                                                : &IMG_Mod_NoRec_Timer;
        controls.IMG_Status_Rec->Set_Picture(*icon);
        controls.IMG_Status_Rec->setVisible(true);
    }
    // A snapshot refused for its folder is only told in the log, once per interval.
    if (step.Refused && Log_Active)
        PNL_Visue_Expert->Append_Line(Log_Line_Note(Log_Stamp(now), N, Not_Recorded_Note(Dest_Folder)));
    // A snapshot that cannot be written ends the pass here (the error goes to the application's handler).
    if (step.Save_Now)
        writer.Save(worker.BMP_Received(), cam.Alias, N, now, Dest_Folder);
}
