#pragma once
#include <QLabel>

#include <functional>
#include <string>

// Hands an address to the user's web browser; false when it could not be opened.
using Url_Opener = std::function<bool(const std::string& url)>;

// The default opener: QDesktopServices::openUrl.
bool Open_In_Browser(const std::string& url);

// The address a link target opens: a target without ':' that begins with "www" gets "http://" in
// front ("www.x.org" -> "http://www.x.org"); every other target is used as it is.
std::string Link_Address(const std::string& target);

// A label that holds a link target and opens it on request (it need not be visible: the main
// window's link labels lie on a hidden panel and are opened by buttons).
// When the opener reports failure, the label stops being a link for the rest of the run: it is
// disabled and later Open() calls do nothing.
class Link_Label : public QLabel {
    Q_OBJECT
public:
    // `opener` is used for every Open(); an empty one means Open_In_Browser.
    Link_Label(const QString& caption, QWidget* parent = nullptr, Url_Opener opener = {});

    void Set_Target(const std::string& target) { target_ = target; }
    const std::string& Target() const { return target_; }

    // Opens the target as an internet address. An opener that throws counts as a failure.
    void Open();

    // False once an Open() failed.
    bool Is_Link() const { return is_link_; }

private:
    Url_Opener opener_;
    std::string target_;
    bool is_link_ = true;
};
