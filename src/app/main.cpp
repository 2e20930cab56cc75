#include "app/Tambrel_Application.h"
#include "app/UF_Main.h"
#include "platform/Regional.h"
#include "platform/Signal_Bridge.h"
#include "util/U_Lib_Util_Vesk.h"
#include "views/UF_Full_Screen.h"

#include <cstring>
#include <iostream>
#include <memory>

// Program entry: the main window, then the hidden full-screen window, then the message loop.
int main(int argc, char** argv)
{
    // Answered before any window exists, so they work without a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "tambrel " TAMBREL_VERSION "\n";
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::cout << "Usage: tambrel [--version | --help]\n"
                     "Shows, controls and records up to nine network cameras.\n"
                     "Settings: $XDG_DATA_HOME/_data_Tambrel/ (default ~/.local/share/_data_Tambrel/).\n";
        return 0;
    }

    Tambrel_Application app(argc, argv);
    Set_Decimal_Separator(Regional_Decimal_Separator());

    // SIGTERM, SIGINT and SIGHUP close the main window as the user would. The bridge exists before the
    // window, so a signal that arrives while the window is being created waits for the message loop.
    Signal_Bridge signal_bridge;

    auto F_Main = std::make_unique<TF_Main>();
    F_Main->Attach_Full_Screen(new TF_Full_Screen(F_Main.get()));

    QObject::connect(&signal_bridge, &Signal_Bridge::Close_Requested, F_Main.get(), [&] { F_Main->close(); });

    F_Main->show();
    const int status = app.exec();
    F_Main.reset();
    return status;
}
