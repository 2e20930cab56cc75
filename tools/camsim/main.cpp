// tambrel-camsim: simulated network cameras on 127.0.0.1 for the demo, tests and benchmarks.
#include <QGuiApplication>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <memory>
#include <pthread.h>

#include "camsim/Camsim_Server.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    auto options = Parse_Camsim_Args(args, error);
    if (!options) {
        if (error.empty()) {
            std::cout << Camsim_Usage();
            return 0;
        }
        std::cerr << "tambrel-camsim: " << error << "\n" << Camsim_Usage();
        return 2;
    }

    // Text drawing needs a QGuiApplication; no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    // Block the stop signals before any thread starts, so only sigwait below receives them.
    sigset_t stop_signals;
    sigemptyset(&stop_signals);
    sigaddset(&stop_signals, SIGINT);
    sigaddset(&stop_signals, SIGTERM);
    sigaddset(&stop_signals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

    std::unique_ptr<Camsim_Server> server;
    try {
        server = std::make_unique<Camsim_Server>(*options);
        server->Start();
    } catch (const std::exception& e) {
        std::cerr << "tambrel-camsim: " << e.what() << "\n";
        return 1;
    }
    // The port stays the line's first number (the demo script reads it); what a camera adds goes last.
    for (int camera = 1; camera <= server->Count(); ++camera) {
        std::cout << "camera " << camera << ": port " << server->Port(camera) << "  " << server->Snapshot_Url(camera);
        if (server->Is_Https(camera))
            std::cout << "  sha256 " << server->Fingerprint(camera);
        const Camsim_Auth& auth = server->Camera(camera).Config().Auth;
        if (auth.Enabled())
            std::cout << "  auth " << Camsim_Auth_Text(auth);
        std::cout << "\n";
    }
    std::cout << "serving " << server->Count() << " camera(s) on 127.0.0.1; Ctrl+C stops" << std::endl;

    int received = 0;
    sigwait(&stop_signals, &received);
    server->Stop();
    std::cout << "stopped" << std::endl;
    return 0;
}
