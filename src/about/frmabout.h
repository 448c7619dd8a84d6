#pragma once

// Placeholder window: "About Quillard". Built out by its own change.

#include <QDialog>

class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);
};
