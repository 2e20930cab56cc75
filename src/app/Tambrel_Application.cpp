#include "app/Tambrel_Application.h"

namespace {
std::function<void(std::exception_ptr)>& Observer()
{
    static std::function<void(std::exception_ptr)> observer;
    return observer;
}
}  // namespace

Tambrel_Application::Tambrel_Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName("Tambrel");
    setQuitOnLastWindowClosed(true);
}

bool Tambrel_Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        AppException(std::current_exception());
        return false;
    }
}

void Tambrel_Application::Set_Exception_Observer(std::function<void(std::exception_ptr)> observer)
{
    Observer() = std::move(observer);
}

void AppException(std::exception_ptr error)
{
    if (Observer())
        Observer()(error);
}
