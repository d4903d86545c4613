#include "cad/SheetExport.h"

#include "cad/Detailing.h"
#include "draw/ScenePainter.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace SheetExport {

namespace {

ErrorPair cannotWrite(const QString &path)
{
    return { 75,
             "Não foi possível gravar \"" + path.toStdString()
                     + "\": verifique a pasta e as permissões." };
}

/// Writes into a temporary file beside the target and renames it over, so a failed export
/// leaves an earlier file whole.
template <typename Paint>
ErrorPair atomically(const QString &path, Paint paint)
{
    const QString temporary = path + ".tmp";
    if (!paint(temporary)) {
        QFile::remove(temporary);
        return cannotWrite(path);
    }
    QFile::remove(path);
    if (!QFile::rename(temporary, path)) {
        QFile::remove(temporary);
        return cannotWrite(path);
    }
    return {};
}

} // namespace

QRectF PaperOf(const draw::Scene &scene)
{
    draw::Bounds b;
    if (const draw::Group *sheet = scene.findGroup(Detailing::kSheet);
        sheet && !sheet->items.empty()) {
        const draw::Bounds own = draw::groupBounds(*sheet);
        b.include({ sheet->insert.x + own.min.x * sheet->scale,
                    sheet->insert.y + own.min.y * sheet->scale });
        b.include({ sheet->insert.x + own.max.x * sheet->scale,
                    sheet->insert.y + own.max.y * sheet->scale });
        return QRectF(b.min.x, b.min.y, b.width(), b.height());
    }
    b = scene.bounds();
    if (b.empty)
        return QRectF(0, 0, 210, 297);
    return QRectF(b.min.x - 10, b.min.y - 10, b.width() + 20, b.height() + 20);
}

void PaintPaper(QPainter &painter, const draw::Scene &scene, const QRectF &paper, double dotsPerMm)
{
    // The paper's top-left corner (model y up) lands on the device's origin.
    const QTransform t = draw::ScenePainter::scaleTransform({ paper.left(), paper.bottom() },
                                                            QPointF(0, 0), dotsPerMm);
    draw::ScenePainter::Options options;
    options.drawNote = false;
    draw::ScenePainter::paint(painter, scene, t, options);
}

ErrorPair WritePdf(const draw::Scene &scene, const QString &path)
{
    const QRectF paper = PaperOf(scene);
    return atomically(path, [&](const QString &file) {
        QPdfWriter pdf(file);
        pdf.setResolution(600);
        pdf.setTitle(QStringLiteral("Reservium - Detalhamento"));
        pdf.setCreator(QStringLiteral("Reservium"));
        const QPageSize size(paper.size(), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
        pdf.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter painter;
        if (!painter.begin(&pdf))
            return false;
        painter.fillRect(QRectF(0, 0, pdf.width(), pdf.height()), Qt::white);
        PaintPaper(painter, scene, paper, 600 / 25.4);
        return painter.end();
    });
}

ErrorPair WriteSvg(const draw::Scene &scene, const QString &path)
{
    const QRectF paper = PaperOf(scene);
    return atomically(path, [&](const QString &file) {
        constexpr double dpi = 96;
        const double perMm = dpi / 25.4;
        QSvgGenerator svg;
        svg.setFileName(file);
        svg.setResolution(static_cast<int>(dpi));
        svg.setSize(QSize(qRound(paper.width() * perMm), qRound(paper.height() * perMm)));
        svg.setViewBox(QRectF(0, 0, paper.width() * perMm, paper.height() * perMm));
        svg.setTitle(QStringLiteral("Reservium - Detalhamento"));
        QPainter painter;
        if (!painter.begin(&svg))
            return false;
        painter.fillRect(QRectF(0, 0, paper.width() * perMm, paper.height() * perMm), Qt::white);
        PaintPaper(painter, scene, paper, perMm);
        painter.end();
        return QFileInfo(file).size() > 0;
    });
}

} // namespace SheetExport
