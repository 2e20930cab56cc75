#pragma once
#include <QString>
#include <QWidget>

#include <functional>
#include <string>

class QLineEdit;
class Text_Edit;
class QToolButton;

// A folder path: a line edit the user may type into, and a browse button "..." that opens a folder
// picker starting at the current path. Choosing a folder replaces the path; cancelling keeps it.
class Folder_Edit : public QWidget {
    Q_OBJECT
public:
    // Returns the chosen folder, or an empty text when the user cancelled.
    using Picker = std::function<QString(QWidget* parent, const QString& start_folder)>;

    explicit Folder_Edit(QWidget* parent = nullptr);

    QString Path() const;
    void Set_Path(const QString& path);
    // The path as stored bytes: shown readably whatever their encoding, given back byte for byte until the
    // user changes the path (then in UTF-8), as Text_Edit does for the camera texts.
    void Set_Path_Bytes(const std::string& bytes);
    std::string Path_Bytes() const;

    // Replaces the folder picker (QFileDialog::getExistingDirectory by default); for tests.
    void Set_Picker(Picker picker);

    // What the browse button does: asks the picker, and takes the folder it returns.
    // Returns true if the path changed.
    bool Browse();

    QLineEdit* Line_Edit() const;
    QToolButton* Browse_Button() const { return button_; }

signals:
    // The user chose a folder with the browse button.
    void Folder_Chosen(const QString& path);

private:
    Text_Edit* edit_ = nullptr;
    QToolButton* button_ = nullptr;
    Picker picker_;
};
