#include "memory/form1.h"

Form1::Form1(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Program Radio Memory"));
}
