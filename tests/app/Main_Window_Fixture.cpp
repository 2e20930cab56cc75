#include "Main_Window_Fixture.h"

#include <QCoreApplication>

Main_Window_Test::Main_Window_Test()
    : old_xdg_(qgetenv("XDG_DATA_HOME"))
{
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home_.Path()));
}

Main_Window_Test::~Main_Window_Test()
{
    window_.reset();
    qputenv("XDG_DATA_HOME", old_xdg_);
}

TF_Main& Main_Window_Test::Start(const Clock* clock)
{
    window_.reset();
    window_ = std::make_unique<TF_Main>(nullptr, clock);
    return *window_;
}

void Main_Window_Test::Close_And_Destroy()
{
    window_->close();
    QCoreApplication::processEvents();
    window_.reset();
}
