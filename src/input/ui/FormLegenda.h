#pragma once

#include <QDialog>

#include <map>
#include <string>

class FormModel;
class MDI;
class QPlainTextEdit;
class QLineEdit;

/// "Legenda do Projeto": the project's identification (name, client, site address, person
/// responsible, notes), typed once and kept for the whole run: "OK" hides the window and New
/// and Open leave it alone, so each saved project takes the legend typed last. The texts live
/// in the FormLegenda model, which the project and report writers read.
class FormLegenda : public QDialog
{
    Q_OBJECT

public:
    FormLegenda(MDI &mdi, FormModel &model, QWidget *parent = nullptr);
    ~FormLegenda() override;

    QWidget *field(const std::string &control) const;

protected:
    void showEvent(QShowEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void Field_Change(const std::string &control);
    void Command1_Click();
    void refreshFromModel(const std::string &control);

    MDI &m_mdi;
    FormModel &m_model;
    int m_subscription = 0;
    std::map<std::string, QLineEdit *> m_lines;
    QPlainTextEdit *m_notes = nullptr;
};
