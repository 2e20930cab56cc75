#include "widgets/Integer_Edit.h"

#include "util/U_Lib_Util_Vesk.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>

Integer_Edit::Integer_Edit(QWidget* parent) : Text_Edit(parent)
{
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]*")), this));
    setMaxLength(11);  // "-2147483648"
}

int Integer_Edit::Value() const
{
    return Text_To_Int(text().toStdString());
}

void Integer_Edit::Set_Value(int value)
{
    setText(QString::number(value));
}
