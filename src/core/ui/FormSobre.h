#pragma once

#include <QDialog>

class AppContext;

/// The about window: the program's title, description and version, "OK", and "&Sistema",
/// which shows what the program knows of the system it runs on.
class FormSobre : public QDialog
{
    Q_OBJECT

public:
    /// `context` gives the program's folders and regional symbols; null shows without them.
    explicit FormSobre(const AppContext *context, QWidget *parent = nullptr);

    /// The system information as text: operating system, kernel, architecture, Qt, screens,
    /// locale and the program's own regional symbols, folders. Empty when it cannot be
    /// gathered.
    static QString SystemInformation(const AppContext *context);

    void cmdSysInfo_Click();

private:
    const AppContext *m_context;
};
