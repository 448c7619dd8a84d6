#include "guides/form8.h"

Form8::Form8(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Band Plan"));
}
