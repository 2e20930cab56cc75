#include "app/Window_Layout.h"

#include "app/Guarded_Slot.h"

#include "app/Layout_Values.h"
#include "platform/Private_Profile.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSplitter>

#include <cmath>

namespace {

constexpr const char* Section = "Common";

std::vector<int> Read_List(const std::string& file, const std::string& key)
{
    const Profile_Value read = Read_Private_Profile(file, Section, key);
    if (read.status != Profile_Status::Found)
        return {};
    return Parse_Int_List(read.value);
}

Screen_Rect Desktop_Rect()
{
    QRect area;
    for (QScreen* screen : QGuiApplication::screens())
        area = area.united(screen->availableGeometry());
    if (area.isEmpty())
        return {0, 0, 1 << 15, 1 << 15};
    return {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
}

}  // namespace

Window_Layout::Window_Layout(QMainWindow* window, QSplitter* splitter, const std::string& splitter_name,
                             QObject* parent)
    : QObject(parent),
      window_(window),
      splitter_(splitter),
      name_(splitter_name),
      bar_share_(splitter->width() > 0 ? double(Bar_Position()) / splitter->width() : 0.0)
{
    splitter_->installEventFilter(this);
    connect(splitter_, &QSplitter::splitterMoved, this, Guarded([this](int pos, int) { On_Bar_Moved(pos); }));
    bar_last_ = Bar_Position();
}

int Window_Layout::Bar_Position() const
{
    const QList<int> sizes = splitter_->sizes();
    return sizes.isEmpty() ? 0 : sizes.first();
}

void Window_Layout::Set_Bar_Position(int pixels)
{
    const int total = splitter_->width() - splitter_->handleWidth();
    pixels = std::clamp(pixels, 0, std::max(total, 0));
    splitter_->setSizes({pixels, std::max(total - pixels, 0)});
    On_Bar_Moved(pixels);
}

int Window_Layout::Bar_Percent() const
{
    const int width = splitter_->width();
    if (width <= 0)
        return 0;
    return static_cast<int>(std::lround(100.0 * Bar_Position() / width));
}

void Window_Layout::On_Bar_Moved(int position)
{
    if (bar_last_ != position && bar_last_ >= 0)
        bar_old_ = bar_last_;
    bar_last_ = position;
    if (splitter_->width() > 0)
        bar_share_ = double(position) / splitter_->width();
}

void Window_Layout::Read_Splitter()
{
    if (file_.empty())
        return;
    const std::vector<int> order = Read_List(file_, name_ + "PaneO");
    if (Is_Pane_Order(order) && order[0] == 1) {
        // Panes listed in reverse: the second widget goes first.
        splitter_->insertWidget(0, splitter_->widget(1));
    }
    const std::vector<int> visible = Read_List(file_, name_ + "PaneV");
    if (Is_Pane_Visibility(visible)) {
        for (int i = 0; i < 2; ++i)
            splitter_->widget(i)->setVisible(visible[static_cast<std::size_t>(i)] == 1);
    }
    const std::vector<int> bars = Read_List(file_, name_ + "Bars");
    if (bars.size() == 1) {
        bar_share_ = std::clamp(bars[0], 0, 100) / 100.0;
        Place_Bar_At_Share();
    }
    const std::vector<int> bars_old = Read_List(file_, name_ + "BarsOld");
    if (bars_old.size() == 1)
        bar_old_ = bars_old[0];
}

bool Window_Layout::Write_Splitter()
{
    if (file_.empty())
        return false;
    std::vector<int> order, visible;
    for (int i = 0; i < splitter_->count() && i < 2; ++i) {
        order.push_back(splitter_->widget(i)->property("Pane_Index").toInt());
        visible.push_back(splitter_->widget(i)->isVisibleTo(window_) ? 1 : 0);
    }
    bool ok = Write_Private_Profile_String(file_, Section, name_ + "PaneO", Format_Int_List(order));
    ok = Write_Private_Profile_String(file_, Section, name_ + "PaneV", Format_Int_List(visible)) && ok;
    ok = Write_Private_Profile_String(file_, Section, name_ + "Bars", Format_Int_List({Bar_Percent()})) && ok;
    ok = Write_Private_Profile_String(file_, Section, name_ + "BarsOld", Format_Int_List({bar_old_})) && ok;
    ok = Write_Private_Profile_String(file_, Section, name_ + "Colors", std::nullopt) && ok;
    ok = Write_Private_Profile_String(file_, Section, name_ + "Fonts", std::nullopt) && ok;
    return ok;
}

void Window_Layout::Read_Placement()
{
    if (file_.empty())
        return;
    const Profile_Value read = Read_Private_Profile(file_, Section, "F_Main");
    if (read.status != Profile_Status::Found)
        return;
    const std::optional<Window_Placement> placement = Parse_Placement(read.value);
    if (!placement)
        return;
    const Screen_Rect r = Keep_Inside(placement->Normal, Desktop_Rect());
    window_->setGeometry(r.Left, r.Top, r.Width(), r.Height());
    switch (placement->State) {
    case Show_State::Maximized: window_->setWindowState(Qt::WindowMaximized); break;
    case Show_State::Minimized: window_->setWindowState(Qt::WindowMinimized); break;
    case Show_State::Normal: window_->setWindowState(Qt::WindowNoState); break;
    }
}

bool Window_Layout::Write_Placement()
{
    if (file_.empty())
        return false;
    Window_Placement placement;
    const Qt::WindowStates state = window_->windowState();
    placement.State = state & Qt::WindowMinimized   ? Show_State::Minimized
                      : state & Qt::WindowMaximized ? Show_State::Maximized
                                                    : Show_State::Normal;
    const QRect normal =
        window_->isMaximized() || window_->isMinimized() ? window_->normalGeometry() : window_->geometry();
    placement.Normal = {normal.left(), normal.top(), normal.left() + normal.width(), normal.top() + normal.height()};
    bool ok = Write_Private_Profile_String(file_, Section, "F_Main", Format_Placement(placement));
    ok = Write_Private_Profile_String(file_, Section, "F_MainColor", std::nullopt) && ok;
    ok = Write_Private_Profile_String(file_, Section, "F_MainFont", std::nullopt) && ok;
    return ok;
}

void Window_Layout::Place_Bar_At_Share()
{
    const int width = splitter_->width();
    if (width <= 0)
        return;
    const double share = bar_share_;
    Set_Bar_Position(static_cast<int>(std::lround(share * width)));
    bar_share_ = share;
}

bool Window_Layout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == splitter_ && event->type() == QEvent::Resize && proportional_)
        Place_Bar_At_Share();
    return QObject::eventFilter(watched, event);
}
