#include "guides/form9.h"

Form9::Form9(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("Radio Frequencies for Code Reception"));
}
