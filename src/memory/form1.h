#pragma once

// Placeholder window: "Program Radio Memory". Built out by its own change.

#include <QDialog>

class Form1 : public QDialog {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
};
