#pragma once

#include <QWidget>

/// The start-up window: the program's title, description and version, drawn. It is shown
/// while the program checks the regional settings and loads the parameters, with the busy
/// pointer, and closed when the main window comes up.
class FormSplash : public QWidget
{
    Q_OBJECT

public:
    explicit FormSplash(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    /// Draws the picture of the splash and the about window into `area`.
    static void paintTitle(QPainter &painter, const QRectF &area, const QPalette &palette);

protected:
    void paintEvent(QPaintEvent *event) override;
};
