#pragma once

#include <QToolButton>

/// A colour of the CAD colour index (1 to 255, and 256 "PorCamada"/0 "PorBloco" as numbers
/// kept as they are): a button showing the colour's swatch with its name or number, opening a
/// palette of the 256 colours with the seven named ones first.
class CadColorPicker : public QToolButton
{
    Q_OBJECT

public:
    explicit CadColorPicker(QWidget *parent = nullptr);

    int color() const { return m_color; }
    /// Any number is kept (a file may hold a colour outside the palette); only 1 to 255 show
    /// their colour, others a neutral swatch with their number.
    void setColor(int color);

    /// The text shown for a colour: the name of 1 to 7, else "Cor " + number.
    static QString colorText(int color);

signals:
    void colorChanged(int color);

private:
    void choose();
    void refresh();

    int m_color = 7;
};
