#pragma once

#include <QWidget>

class QLabel;
class SceneView;

/// "Aguarde": the progress window of a calculation, its label and picture, sized from the
/// label's width (× 1.3) with both centred.
class FormWaitCalc : public QWidget
{
    Q_OBJECT

public:
    explicit FormWaitCalc(QWidget *parent = nullptr);

    /// Sets the label and resizes the window to it.
    void setLabel(const QString &text);
    QLabel *label() const { return m_label; }

private:
    QLabel *m_label = nullptr;
    SceneView *m_curImage = nullptr;
};
