#pragma once

#include "core/ErrorPair.h"
#include "draw/Scene.h"

#include <QRectF>
#include <QString>

class QPainter;

/// A drawing on paper at its true size: PDF and SVG files of the sheet (or of the whole drawing
/// when it has no sheet yet), drawn by the one scene painter. The drawing's units are
/// millimetres of paper.
namespace SheetExport {

/// The paper of the drawing in millimetres: the sheet element's extent, or the drawing's own
/// extent with a 10 mm margin when there is no sheet.
QRectF PaperOf(const draw::Scene &scene);

/// Draws the paper `paper` (mm) of the scene into the device rectangle `target` of a painter
/// whose device has `dotsPerMm` dots per millimetre, at true size from its top-left corner.
void PaintPaper(QPainter &painter, const draw::Scene &scene, const QRectF &paper, double dotsPerMm);

/// A PDF of one page the size of the paper. Error 75 naming the file when it cannot be written.
ErrorPair WritePdf(const draw::Scene &scene, const QString &path);
/// An SVG the size of the paper, in millimetres.
ErrorPair WriteSvg(const draw::Scene &scene, const QString &path);

} // namespace SheetExport
