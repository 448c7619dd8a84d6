#include "guides/form7.h"

Form7::Form7(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("SAREX"));
}
