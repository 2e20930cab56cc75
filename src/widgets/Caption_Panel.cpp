#include "widgets/Caption_Panel.h"

#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QToolButton>

#include <algorithm>

namespace {

// Along an edge, this far from a corner counts as the corner, so corners are easy to catch.
constexpr int Corner_Reach = 12;
constexpr int Min_Client_Width = 40;

const QColor Border_Color{96, 96, 96};
const QColor Title_Color{44, 62, 92};
const QColor Title_Text_Color{Qt::white};

QIcon Close_Icon()
{
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(2.5, 2.5), QPointF(9.5, 9.5));
    painter.drawLine(QPointF(9.5, 2.5), QPointF(2.5, 9.5));
    return QIcon(pixmap);
}

// Clamps v into [lo, hi]; when the range is empty, lo wins (the top-left stays visible).
int Clamp_Low_Wins(int v, int lo, int hi)
{
    return std::max(lo, std::min(v, hi));
}

}  // namespace

Caption_Panel::Caption_Panel(QWidget* parent) : QWidget(parent), caption_font_(font())
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    content_ = new QWidget(this);
    content_->setObjectName(QStringLiteral("Content"));
    close_button_ = new QToolButton(this);
    close_button_->setObjectName(QStringLiteral("Close_Button"));
    close_button_->setAutoRaise(true);
    close_button_->setFocusPolicy(Qt::NoFocus);
    close_button_->setIcon(Close_Icon());
    close_button_->setToolTip(QStringLiteral("Close"));
    close_button_->setAccessibleName(QStringLiteral("Close"));
    close_button_->setCursor(Qt::ArrowCursor);
    connect(close_button_, &QToolButton::clicked, this, [this] { Close_By_Button(); });
    resize(200, 150);
    Lay_Out_Children();
}

void Caption_Panel::Set_Caption(const QString& caption)
{
    caption_ = caption;
    update();
}

void Caption_Panel::Set_Caption_Point_Size(int points)
{
    if (points <= 0)
        return;
    caption_font_.setPointSize(points);
    Lay_Out_Children();
    update();
}

void Caption_Panel::Set_Sizable(bool sizable)
{
    sizable_ = sizable;
    if (!sizable_)
        Update_Cursor(None);
}

int Caption_Panel::Title_Height() const
{
    return std::max(Min_Title_Height, QFontMetrics(caption_font_).height() + 4);
}

QRect Caption_Panel::Title_Rect() const
{
    return {Border, Border, std::max(0, width() - 2 * Border), Title_Height()};
}

QRect Caption_Panel::Client_Rect() const
{
    const int top = Border + Title_Height();
    return {Border, top, std::max(0, width() - 2 * Border), std::max(0, height() - top - Border)};
}

QSize Caption_Panel::Size_For_Client(QSize client) const
{
    return {client.width() + 2 * Border, client.height() + Title_Height() + 2 * Border};
}

void Caption_Panel::Set_Client_Size(QSize client)
{
    resize(Size_For_Client(client));
}

QSize Caption_Panel::Minimum_Panel_Size() const
{
    return Size_For_Client({Min_Client_Width, 0});
}

QRect Caption_Panel::Parent_Rect() const
{
    return parentWidget() != nullptr ? parentWidget()->rect() : QRect();
}

void Caption_Panel::Lay_Out_Children()
{
    content_->setGeometry(Client_Rect());
    const QRect title = Title_Rect();
    const int side = title.height() - 4;
    close_button_->setGeometry(title.right() - side - 1, title.top() + 2, side, side);
    close_button_->setIconSize(QSize(side - 6, side - 6));
}

void Caption_Panel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Lay_Out_Children();
}

bool Caption_Panel::Close_By_Button()
{
    const QPointer<Caption_Panel> alive = this;
    bool cancel = false;
    if (close_handler_)
        close_handler_(cancel);
    if (!alive)
        return false;
    emit Close_Query(this, &cancel);
    if (!alive || cancel)
        return false;
    hide();
    return true;
}

void Caption_Panel::Keep_Inside_Parent()
{
    if (parentWidget() == nullptr)
        return;
    const QRect area = Parent_Rect();
    move(Clamp_Low_Wins(x(), 0, area.width() - width()), Clamp_Low_Wins(y(), 0, area.height() - height()));
}

int Caption_Panel::Edges_At(QPoint pos) const
{
    if (!sizable_)
        return None;
    const int w = width();
    const int h = height();
    int edges = None;
    if (pos.x() < Border)
        edges |= Left;
    else if (pos.x() >= w - Border)
        edges |= Right;
    if (pos.y() < Border)
        edges |= Top;
    else if (pos.y() >= h - Border)
        edges |= Bottom;
    if (edges == None)
        return None;
    // Near a corner, a side edge resizes both ways.
    if ((edges & (Left | Right)) != 0 && (edges & (Top | Bottom)) == 0) {
        if (pos.y() < Corner_Reach)
            edges |= Top;
        else if (pos.y() >= h - Corner_Reach)
            edges |= Bottom;
    }
    if ((edges & (Top | Bottom)) != 0 && (edges & (Left | Right)) == 0) {
        if (pos.x() < Corner_Reach)
            edges |= Left;
        else if (pos.x() >= w - Corner_Reach)
            edges |= Right;
    }
    return edges;
}

void Caption_Panel::Update_Cursor(int edges)
{
    const bool horizontal = (edges & (Left | Right)) != 0;
    const bool vertical = (edges & (Top | Bottom)) != 0;
    if (horizontal && vertical) {
        const bool main_diagonal = (edges & Left) != 0 ? (edges & Top) != 0 : (edges & Bottom) != 0;
        setCursor(main_diagonal ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor);
    } else if (horizontal) {
        setCursor(Qt::SizeHorCursor);
    } else if (vertical) {
        setCursor(Qt::SizeVerCursor);
    } else {
        unsetCursor();
    }
}

void Caption_Panel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    const int edges = Edges_At(pos);
    if (edges == None && !Title_Rect().contains(pos)) {
        QWidget::mousePressEvent(event);
        return;
    }
    raise();
    dragging_ = true;
    edges_ = edges;
    press_in_parent_ = mapToParent(pos);
    start_geometry_ = geometry();
    event->accept();
}

void Caption_Panel::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (!dragging_) {
        Update_Cursor(Edges_At(pos));
        QWidget::mouseMoveEvent(event);
        return;
    }
    // mapToParent uses the panel's current position, so this is the pointer in the parent whatever
    // the panel did since the press.
    const QPoint delta = mapToParent(pos) - press_in_parent_;
    const QRect area = Parent_Rect();
    const QRect s = start_geometry_;
    if (edges_ == None) {
        move(Clamp_Low_Wins(s.x() + delta.x(), 0, area.width() - s.width()),
             Clamp_Low_Wins(s.y() + delta.y(), 0, area.height() - s.height()));
        return;
    }
    const QSize min = Minimum_Panel_Size();
    int left = s.left();
    int top = s.top();
    int right = s.left() + s.width();  // exclusive edges: width = right - left
    int bottom = s.top() + s.height();
    if (edges_ & Left)
        left = std::min(std::max(left + delta.x(), 0), right - min.width());
    if (edges_ & Right)
        right = std::max(std::min(right + delta.x(), area.width()), left + min.width());
    if (edges_ & Top)
        top = std::min(std::max(top + delta.y(), 0), bottom - min.height());
    if (edges_ & Bottom)
        bottom = std::max(std::min(bottom + delta.y(), area.height()), top + min.height());
    setGeometry(left, top, right - left, bottom - top);
}

void Caption_Panel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && dragging_) {
        dragging_ = false;
        edges_ = None;
        Update_Cursor(Edges_At(event->position().toPoint()));
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void Caption_Panel::leaveEvent(QEvent* event)
{
    if (!dragging_)
        Update_Cursor(None);
    QWidget::leaveEvent(event);
}

void Caption_Panel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Border_Color);
    painter.fillRect(Client_Rect(), palette().color(QPalette::Window));
    const QRect title = Title_Rect();
    painter.fillRect(title, Title_Color);
    // Outer outline: light top-left, dark bottom-right, a raised look.
    const QRect r = rect();
    painter.setPen(Border_Color.lighter(150));
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(Border_Color.darker(160));
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());

    if (caption_.isEmpty())
        return;
    painter.setFont(caption_font_);
    painter.setPen(Title_Text_Color);
    const QRect text_area = title.adjusted(4, 0, -(close_button_->width() + 6), 0);
    const QString text = QFontMetrics(caption_font_).elidedText(caption_, Qt::ElideRight, text_area.width());
    painter.drawText(text_area, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, text);
}
