#pragma once
#include <QObject>
#include <string>

class QMainWindow;
class QSplitter;

// Keeps the main window's layout in appli.ini (section "Common"): the splitter's panes and bar, and the
// window's placement. Also carries the splitter's resize mode: proportional until the window is first
// activated (the bar keeps its share of the width), then fixed (the settings column keeps its pixels).
class Window_Layout : public QObject {
    Q_OBJECT
public:
    Window_Layout(QMainWindow* window, QSplitter* splitter, const std::string& splitter_name,
                  QObject* parent = nullptr);

    // The file the layout is kept in; nothing is read or written before it is bound.
    void Bind(const std::string& appli_ini) { file_ = appli_ini; }
    const std::string& File() const { return file_; }

    // Applies the splitter keys that hold valid values (read once, during creation).
    void Read_Splitter();
    // Writes the four splitter keys and deletes the colour and font keys. False when the file cannot be written.
    bool Write_Splitter();
    // Applies a valid "F_Main" placement to the window (once, when it is first shown).
    void Read_Placement();
    // Writes the window's placement and deletes its colour and font keys.
    bool Write_Placement();

    // Bar position in pixels from the splitter's left edge.
    int Bar_Position() const;
    void Set_Bar_Position(int pixels);
    // Bar position as a whole percentage of the splitter's width.
    int Bar_Percent() const;
    // Previous bar position in pixels, -1 when it has none.
    int Bar_Old() const { return bar_old_; }

    // While proportional, resizing the splitter keeps the bar at its share of the width.
    void Set_Proportional(bool proportional) { proportional_ = proportional; }
    bool Proportional() const { return proportional_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Place_Bar_At_Share();
    void On_Bar_Moved(int position);

    QMainWindow* window_;
    QSplitter* splitter_;
    std::string name_;
    std::string file_;
    bool proportional_ = true;
    double bar_share_;  // bar position / splitter width, kept while proportional
    int bar_old_ = -1;
    int bar_last_ = -1;
};
