#pragma once

#include "input/FormSolosModel.h"

#include <QDialog>

class AppContext;
class FormBinding;
class QPushButton;
class QTableWidget;
class QToolBar;

/// "Cadastro de Tipos de Solo": the soil catalogue as a table, the seven fields of the current
/// soil, the toolbar of its five commands and "< Retornar". Modal; opened by the buried-tank
/// window, which refills its soil list when it closes.
class FormSolos : public QDialog
{
    Q_OBJECT

public:
    explicit FormSolos(AppContext &ctx, QWidget *parent = nullptr);
    ~FormSolos() override;

    FormSolosModel &solos() { return m_solos; }

    void Toolbar1_ButtonClick(const QString &key);
    /// "< Retornar".
    void Command1_Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showRows();
    void afterCommand();

    FormSolosModel m_solos;
    FormBinding *m_binding = nullptr;
    QTableWidget *m_grid = nullptr;
    QToolBar *m_toolbar = nullptr;
    QPushButton *m_command1 = nullptr;
    bool m_showing = false;
};
