#include "update/Link_Label.h"

#include <QDesktopServices>
#include <QUrl>

bool Open_In_Browser(const std::string& url)
{
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

std::string Link_Address(const std::string& target)
{
    if (target.find(':') == std::string::npos && target.starts_with("www"))
        return "http://" + target;
    return target;
}

Link_Label::Link_Label(const QString& caption, QWidget* parent, Url_Opener opener)
    : QLabel(caption, parent), opener_(opener ? std::move(opener) : Url_Opener(Open_In_Browser))
{}

void Link_Label::Open()
{
    if (!is_link_)
        return;
    bool opened = false;
    try {
        opened = opener_(Link_Address(target_));
    } catch (...) {
        opened = false;
    }
    if (!opened) {
        is_link_ = false;
        setEnabled(false);
    }
}
