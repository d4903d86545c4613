#pragma once

#include "cad/PlatformSession.h"

#include <QMainWindow>

class CommandServer;
class DrawingView;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;

/// The main window of "Reservium CAD": the drawing view, the layers with their visibility, the
/// drawing's elements, and the command line where the application's commands arrive over the
/// command channel and can also be typed. Its title, "Reservium CAD - [" + drawing + "]", is
/// how the application recognises the platform's window.
class CadMainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit CadMainWindow(QWidget *parent = nullptr);
    ~CadMainWindow() override;

    /// Listens on the platform's command channel; false with the reason in the command line
    /// when another platform already answers there.
    bool listen();
    /// Reads "acad.lsp" in the platform folder and runs what its Reservium block calls.
    void start(const QString &platformFolder);
    /// Runs one command as if typed; returns the empty text or the reason it was refused.
    QString runCommand(const QString &command);

    PlatformSession &session() { return m_session; }
    DrawingView *view() const { return m_view; }

private:
    void refresh();
    void appendLog();
    void commandEntered();
    void layerChanged(QListWidgetItem *item);
    void elementChanged();
    void saveAs(const QString &filter, const QString &suffix);
    void print();

    PlatformSession m_session;
    CommandServer *m_server = nullptr;
    DrawingView *m_view = nullptr;
    QListWidget *m_layers = nullptr;
    QListWidget *m_elements = nullptr;
    QPlainTextEdit *m_history = nullptr;
    QLineEdit *m_command = nullptr;
    std::size_t m_logShown = 0;
    bool m_refreshing = false;
};
