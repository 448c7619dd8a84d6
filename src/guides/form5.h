#pragma once

// Placeholder window: "Short Wave Radio Stations". Built out by its own change.

#include <QDialog>

class Form5 : public QDialog {
    Q_OBJECT

public:
    explicit Form5(QWidget* parent = nullptr);
};
