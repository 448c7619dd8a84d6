#pragma once

// Placeholder window: "SAREX". Built out by its own change.

#include <QDialog>

class Form7 : public QDialog {
    Q_OBJECT

public:
    explicit Form7(QWidget* parent = nullptr);
};
