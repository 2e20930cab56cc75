#include "widgets/Folder_Edit.h"

#include "widgets/Text_Edit.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>

namespace {

QString Pick_With_Dialog(QWidget* parent, const QString& start_folder)
{
    return QFileDialog::getExistingDirectory(parent, QString(), start_folder, QFileDialog::ShowDirsOnly);
}

}  // namespace

Folder_Edit::Folder_Edit(QWidget* parent) : QWidget(parent), picker_(Pick_With_Dialog)
{
    edit_ = new Text_Edit(this);
    edit_->setObjectName(QStringLiteral("Path_Edit"));
    button_ = new QToolButton(this);
    button_->setObjectName(QStringLiteral("Browse_Button"));
    button_->setText(QStringLiteral("..."));
    button_->setToolTip(QStringLiteral("Browse"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(edit_, 1);
    layout->addWidget(button_);
    setFocusProxy(edit_);
    connect(button_, &QToolButton::clicked, this, [this] { Browse(); });
}

QString Folder_Edit::Path() const
{
    return edit_->text();
}

void Folder_Edit::Set_Path(const QString& path)
{
    edit_->setText(path);
}

QLineEdit* Folder_Edit::Line_Edit() const
{
    return edit_;
}

void Folder_Edit::Set_Path_Bytes(const std::string& bytes)
{
    edit_->Set_Bytes(bytes);
}

std::string Folder_Edit::Path_Bytes() const
{
    return edit_->Bytes();
}

void Folder_Edit::Set_Picker(Picker picker)
{
    picker_ = picker ? std::move(picker) : Picker(Pick_With_Dialog);
}

bool Folder_Edit::Browse()
{
    // The picker runs a modal loop; the panel may be gone when it returns.
    const QPointer<Folder_Edit> alive = this;
    const Picker picker = picker_;
    const QString chosen = picker(this, Path());
    if (!alive || chosen.isEmpty())
        return false;
    const bool changed = chosen != Path();
    Set_Path(chosen);
    emit Folder_Chosen(chosen);
    return changed;
}
