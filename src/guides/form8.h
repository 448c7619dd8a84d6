#pragma once

// Placeholder window: "Band Plan". Built out by its own change.

#include <QDialog>

class Form8 : public QDialog {
    Q_OBJECT

public:
    explicit Form8(QWidget* parent = nullptr);
};
