#pragma once

#include <QDialog>

class AppContext;
class FormBinding;
class ImageButton;
class NumericLineEdit;

/// "Altera Espessura": the review of one calculated thickness, modal. Its opener (the results
/// window) fills it through CalculationLaunch::Inicia_Altera_e; a value at least as large as the
/// calculated one recalculates, a smaller one is taken only after a warning.
class FormAltera_e : public QDialog
{
    Q_OBJECT

public:
    explicit FormAltera_e(AppContext &ctx, QWidget *parent = nullptr);

    /// The confirmation (butres, Enter in Text_e).
    void butnext();
    /// The back button and Escape: closes without changing anything.
    void butarw_Click();

    /// Any closing clears the input-limit status.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    AppContext &m_ctx;
    FormBinding *m_binding = nullptr;
    NumericLineEdit *m_text = nullptr;
    ImageButton *m_confirm = nullptr;
    ImageButton *m_back = nullptr;
};
