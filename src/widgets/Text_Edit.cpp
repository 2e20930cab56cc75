#include "widgets/Text_Edit.h"

#include <QFocusEvent>
#include <QPointer>
#include <QStringDecoder>

QString Text_From_Bytes(const std::string& bytes)
{
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    // Stateless: a sequence cut at the end is an error too, not a pending character. The initial
    // byte order mark is kept as a character, so that it is written back if the text is edited.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows("windows-1252", QStringDecoder::Flag::Stateless);
    if (windows.isValid()) {
        text = windows.decode(view);
        if (!windows.hasError())
            return text;
    }
    return QString::fromLatin1(view);
}

Text_Edit::Text_Edit(QWidget* parent) : QLineEdit(parent) {}

void Text_Edit::Set_Bytes(const std::string& bytes)
{
    setText(Text_From_Bytes(bytes));
    // What the edit holds, not what it was given: a text longer than maxLength() is shown cut.
    shown_text_ = text();
    given_bytes_ = bytes;
    has_bytes_ = true;
}

std::string Text_Edit::Bytes() const
{
    const QString current = text();
    if (has_bytes_ && current == shown_text_)
        return given_bytes_;
    return current.toStdString();
}

void Text_Edit::keyPressEvent(QKeyEvent* event)
{
    enter_.Pressed(*event);
    QLineEdit::keyPressEvent(event);
}

void Text_Edit::keyReleaseEvent(QKeyEvent* event)
{
    if (!enter_.Released(*event)) {
        QLineEdit::keyReleaseEvent(event);
        return;
    }
    event->accept();
    const QPointer<Text_Edit> alive = this;
    emit Enter_Released();
    // The handler may have moved the focus or hidden the edit; only move on from here.
    if (alive && enter_moves_focus_ && hasFocus())
        focusNextChild();
}

void Text_Edit::focusOutEvent(QFocusEvent* event)
{
    enter_.Focus_Lost();
    QLineEdit::focusOutEvent(event);
    if (Leaves_Edit(event->reason()))
        emit Editing_Left();
}
