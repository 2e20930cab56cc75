#pragma once
#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>

class QToolButton;

// A floating panel inside its parent window (a child widget, not a window of its own): a title bar
// with the caption and a small close button "x", a border round a client area.
//
// - Dragging the title bar moves the panel; while moved it stays inside its parent's rectangle
//   (a panel larger than its parent keeps its top-left corner visible).
// - When sizable, dragging the border (or a corner) resizes it, again inside the parent.
// - The close button first asks: the close handler and then the Close_Query signal may set
//   `cancel`; unless one of them did, the panel hides (it is not destroyed).
//
// Geometry: the border is Border pixels wide all round, the title bar Title_Height() pixels high
// under the top border, and the client area fills the rest. Content() is a widget that covers the
// client area exactly, so a control placed in Content() with setGeometry(left, top, w, h) sits at
// (left, top) inside the client area.
class Caption_Panel : public QWidget {
    Q_OBJECT
public:
    static constexpr int Border = 4;
    static constexpr int Min_Title_Height = 20;

    // `parent` is the window the panel floats in.
    explicit Caption_Panel(QWidget* parent = nullptr);

    void Set_Caption(const QString& caption);
    QString Caption() const { return caption_; }

    // Point size of the caption font (the widget's font size by default).
    void Set_Caption_Point_Size(int points);
    int Caption_Point_Size() const { return caption_font_.pointSize(); }

    // Whether the border resizes the panel; off by default.
    void Set_Sizable(bool sizable);
    bool Sizable() const { return sizable_; }

    // The widget to put the controls in; it always covers Client_Rect().
    QWidget* Content() const { return content_; }

    // Height of the title bar: Min_Title_Height, or more when the caption font needs it.
    int Title_Height() const;
    // Client area in the panel's coordinates.
    QRect Client_Rect() const;
    // Outer size of a panel whose client area is `client`.
    QSize Size_For_Client(QSize client) const;
    // Resizes the panel so that its client area is `client`.
    void Set_Client_Size(QSize client);

    // Runs before the panel hides on its close button; set `cancel` to keep it shown.
    void Set_Close_Handler(std::function<void(bool& cancel)> handler) { close_handler_ = std::move(handler); }

    // What the close button does: the handler, then Close_Query, then hide unless cancelled.
    // Returns true if the panel was hidden.
    bool Close_By_Button();

    // Moves the panel (without resizing it) so that it lies inside its parent, as a drag would.
    void Keep_Inside_Parent();

    QToolButton* Close_Button() const { return close_button_; }

signals:
    // Sent by the close button after the close handler; `*cancel` true keeps the panel shown.
    void Close_Query(QObject* sender, bool* cancel);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    enum Edge { None = 0, Left = 1, Right = 2, Top = 4, Bottom = 8 };

    int Edges_At(QPoint pos) const;
    QRect Title_Rect() const;
    QSize Minimum_Panel_Size() const;
    QRect Parent_Rect() const;
    void Lay_Out_Children();
    void Update_Cursor(int edges);

    QString caption_;
    QFont caption_font_;
    bool sizable_ = false;
    QWidget* content_ = nullptr;
    QToolButton* close_button_ = nullptr;
    std::function<void(bool&)> close_handler_;

    // Drag in progress: moving (edges_ == None) or resizing by edges_.
    bool dragging_ = false;
    int edges_ = None;
    QPoint press_in_parent_;
    QRect start_geometry_;
};
