#pragma once

// Placeholder window: "Radio Frequencies for Code Reception". Built out by its own change.

#include <QDialog>

class Form9 : public QDialog {
    Q_OBJECT

public:
    explicit Form9(QWidget* parent = nullptr);
};
