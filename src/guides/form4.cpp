#include "guides/form4.h"

Form4::Form4(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("SSTV"));
}
