#pragma once
#include <QApplication>

#include <exception>
#include <functional>

// The application object. Its notify() is the program's application-level error handler: every exception
// that an event handler (creation, clicks, timers, refresh passes) lets escape ends that handler and is
// dropped here, so it never crosses Qt's event loop and nothing is shown to the user.
class Tambrel_Application : public QApplication {
    Q_OBJECT
public:
    Tambrel_Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Called with each dropped exception (tests observe it); does nothing by default.
    static void Set_Exception_Observer(std::function<void(std::exception_ptr)> observer);
};

// The error policy: drops the exception. Named after the handler it stands for.
void AppException(std::exception_ptr error);
