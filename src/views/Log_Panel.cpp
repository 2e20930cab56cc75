#include "views/Log_Panel.h"

#include <QButtonGroup>
#include <QFontDatabase>
#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

namespace {

constexpr int Bar_Height = 42;

QPushButton* Bar_Button(QWidget* bar, const char* name, const char* caption, int left)
{
    auto* button = new QPushButton(caption, bar);
    button->setObjectName(name);
    button->setGeometry(left, 2, 66, 37);
    return button;
}

}  // namespace

Log_Panel::Log_Panel(QWidget* parent) : Caption_Panel(parent)
{
    setObjectName("PNL_Visue_Expert");
    Set_Caption("Log display");
    Set_Sizable(true);

    auto* layout = new QVBoxLayout(Content());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    PNL_BTN_Log_Display = new QWidget(Content());
    PNL_BTN_Log_Display->setObjectName("PNL_BTN_Log_Display");
    PNL_BTN_Log_Display->setFixedHeight(Bar_Height);
    BTN_Start_Log_PNL = Bar_Button(PNL_BTN_Log_Display, "BTN_Start_Log_PNL", "Start", 3);
    BTN_Stop_Log_PNL = Bar_Button(PNL_BTN_Log_Display, "BTN_Stop_Log_PNL", "Stop", 70);
    auto* separator = new QFrame(PNL_BTN_Log_Display);
    separator->setObjectName("PNL_Separe_Log");
    separator->setFrameShape(QFrame::VLine);
    separator->setGeometry(140, 4, 3, 33);
    BTN_Exit_Log = Bar_Button(PNL_BTN_Log_Display, "BTN_Exit_Log", "Exit", 146);
    for (QPushButton* button : {BTN_Start_Log_PNL, BTN_Stop_Log_PNL})
        button->setCheckable(true);
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    group->addButton(BTN_Start_Log_PNL);
    group->addButton(BTN_Stop_Log_PNL);

    MMO_Log_Display = new QPlainTextEdit(Content());
    MMO_Log_Display->setObjectName("MMO_Log_Display");
    MMO_Log_Display->setReadOnly(true);
    MMO_Log_Display->setLineWrapMode(QPlainTextEdit::NoWrap);
    MMO_Log_Display->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MMO_Log_Display->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MMO_Log_Display->setMaximumBlockCount(Max_Lines);
    MMO_Log_Display->setUndoRedoEnabled(false);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(8);
    MMO_Log_Display->setFont(fixed);
    // The selection stays visible when the log loses the focus.
    QPalette palette = MMO_Log_Display->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    MMO_Log_Display->setPalette(palette);

    layout->addWidget(PNL_BTN_Log_Display);
    layout->addWidget(MMO_Log_Display, 1);

    setGeometry(0, 0, 600, 300);
    hide();
}

void Log_Panel::Append_Line(const std::string& line)
{
    std::string text = line;
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    MMO_Log_Display->appendPlainText(QString::fromStdString(text));
}

void Log_Panel::Set_Start_Pressed(bool pressed)
{
    if (BTN_Start_Log_PNL->isChecked() == pressed)
        return;
    // An exclusive group never lets its pressed button go by itself.
    QButtonGroup* group = BTN_Start_Log_PNL->group();
    group->setExclusive(false);
    BTN_Start_Log_PNL->setChecked(pressed);
    if (pressed)
        BTN_Stop_Log_PNL->setChecked(false);
    group->setExclusive(true);
}
