#pragma once

#include <QDialog>

/// The about window: the program's title and description.
class FormSobre : public QDialog
{
    Q_OBJECT

public:
    explicit FormSobre(QWidget *parent = nullptr);
};
