#include "cad/ui/CadSession.h"

#include "cad/ModuleCAD.h"
#include "cad/ui/FormCADCfg.h"
#include "cad/ui/FormCADEdAs.h"
#include "cad/ui/FormCADEscala.h"
#include "cad/ui/FormCADFormato.h"
#include "cad/ui/FormCADToolbar.h"
#include "cad/ui/FormSetCad.h"
#include "core/AppContext.h"
#include "core/UiHost.h"
#include "core/ui/MDI.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

void MakeFloating(QWidget *window, bool takesFocus)
{
    Qt::WindowFlags flags = Qt::Tool | Qt::WindowStaysOnTopHint;
    if (!takesFocus) {
        flags |= Qt::WindowDoesNotAcceptFocus;
        window->setAttribute(Qt::WA_ShowWithoutActivating);
    }
    window->setWindowFlags(flags);
}

int TwipsToPixels(int twips)
{
    // 1440 twips an inch; 15 twips a pixel at 96 dpi.
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return static_cast<int>(std::lround(twips * (dpi > 0 ? dpi : 96.0) / 1440.0));
}

CadSession::CadSession(MDI &mdi) : QObject(&mdi), m_mdi(mdi) { }

AppContext &CadSession::context() const
{
    return m_mdi.context();
}

void CadSession::DETAIL_Click()
{
    // Detailing draws the project the results window shows; without it there is nothing to draw
    // (the toolbar button and the menu item are disabled then too).
    if (!m_mdi.isFormVisible("FormResultados"))
        return;
    AppContext &ctx = context();
    if (!ModuleCAD::Detail(ctx, [this] { showSetCad(false); }))
        return;
    minimizeMainWindow();
    FormCADToolbar *box = toolbar();
    box->show();
    box->raise();
}

void CadSession::showSetCad(bool modal)
{
    if (modal) {
        FormSetCad dialog(context(), &m_mdi);
        dialog.exec();
        return;
    }
    if (!m_setCad) {
        m_setCad = new FormSetCad(context(), &m_mdi);
        m_setCad->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_setCad->setWindowTitle(QStringLiteral("Localizar Plataforma CAD"));
    m_setCad->setModal(false);
    m_setCad->show();
    m_setCad->raise();
}

bool CadSession::send(int code)
{
    return ModuleCAD::SendCadCommand(context(), code, [this] { showSetCad(false); });
}

void CadSession::minimizeMainWindow()
{
    m_mdi.showMinimized();
}

FormCADToolbar *CadSession::toolbar()
{
    if (!m_toolbar)
        m_toolbar = new FormCADToolbar(*this, &m_mdi);
    return m_toolbar;
}

FormCADFormato *CadSession::formato()
{
    if (!m_formato)
        m_formato = new FormCADFormato(*this, &m_mdi);
    return m_formato;
}

FormCADEscala *CadSession::escala()
{
    if (!m_escala)
        m_escala = new FormCADEscala(*this, &m_mdi);
    return m_escala;
}

FormCADEdAs *CadSession::editor()
{
    if (!m_editor)
        m_editor = new FormCADEdAs(*this, &m_mdi);
    return m_editor;
}

void CadSession::showSettings()
{
    FormCADCfg dialog(*this, &m_mdi);
    dialog.exec();
}
