#pragma once

#include <QObject>
#include <QPointer>

class AppContext;
class FormCADCfg;
class FormCADEdAs;
class FormCADEscala;
class FormCADFormato;
class FormCADToolbar;
class FormSetCad;
class MDI;

/// The windows that float over the drawing platform and the platform window, made on first use
/// and kept while the main window lives. They are top-level windows, not children of the main
/// window's document area: the main window is minimised while they are used.
class CadSession : public QObject
{
    Q_OBJECT

public:
    explicit CadSession(MDI &mdi);

    MDI &mdi() const { return m_mdi; }
    AppContext &context() const;

    /// The Detail command: exchange files, `RSV_INI`, main window minimised, toolbox shown.
    void DETAIL_Click();
    /// The platform window, modal from the menu, modeless when the platform cannot be started.
    void showSetCad(bool modal);

    /// Sends a drawing command; the platform window comes up when the platform is missing.
    bool send(int code);
    void minimizeMainWindow();

    FormCADToolbar *toolbar();
    FormCADFormato *formato();
    FormCADEscala *escala();
    FormCADEdAs *editor();
    /// The settings window is modal and built afresh each time, reading the file again.
    void showSettings();

private:
    MDI &m_mdi;
    QPointer<FormCADToolbar> m_toolbar;
    QPointer<FormCADFormato> m_formato;
    QPointer<FormCADEscala> m_escala;
    QPointer<FormCADEdAs> m_editor;
    QPointer<FormSetCad> m_setCad;
};

/// Makes a window float over the drawing platform: its own top-level tool window, always on top.
void MakeFloating(QWidget *window, bool takesFocus);
/// Twips of the design sizes to pixels at the screen's logical density (15 twips a pixel at
/// 96 dpi).
int TwipsToPixels(int twips);
