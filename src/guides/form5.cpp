#include "guides/form5.h"

Form5::Form5(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Short Wave Radio Stations"));
}
