#pragma once

// Placeholder window: "SSTV". Built out by its own change.

#include <QDialog>

class Form4 : public QDialog {
    Q_OBJECT

public:
    explicit Form4(QWidget* parent = nullptr);
};
