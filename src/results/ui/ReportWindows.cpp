#include "results/ui/ReportWindows.h"

#include "core/AppContext.h"
#include "core/ui/MDI.h"
#include "results/ReportPrinting.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QToolBar>
#include <QTranslator>

#include <algorithm>
#include <memory>

namespace {

/// Qt's own dialogs (the preview's tool bar, the print dialog) in Portuguese, loaded once.
void ensurePortugueseDialogs()
{
    static bool tried = false;
    if (tried)
        return;
    tried = true;
    auto *translator = new QTranslator(qApp);
    if (translator->load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

void showError(MDI &mdi, const ErrorPair &e)
{
    mdi.MessageBox(e.description, UiHost::Buttons::Ok, UiHost::Icon::Critical,
                   "Erro " + std::to_string(e.number));
}

} // namespace

void PrintProjectReport(MDI &mdi)
{
    AppContext &ctx = mdi.context();
    // The report is of a calculation: without one standing there is nothing to print.
    if (LayoutOf(ctx.state.calcState) == 0)
        return;
    std::unique_ptr<ReportEngine::Report> report;
    if (ErrorPair e = ReportPrinting::PrepareProjectReport(ctx, report); !e.ok()) {
        showError(mdi, e);
        return;
    }
    ensurePortugueseDialogs();

    // The printer of the printer set-up; the report is laid out on A4 portrait with margins of
    // its own.
    QPrinter &printer = mdi.printer();
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(true);
    printer.setDocName(QString::fromLatin1(ReportPrinting::kReportTitle));

    QPrintPreviewDialog preview(&printer, &mdi);
    preview.setObjectName(QStringLiteral("FormVisualizarImpressao"));
    preview.setWindowTitle(QStringLiteral("%1 - Visualizar Impressão")
                                   .arg(QString::fromLatin1(ReportPrinting::kReportTitle)));
    // A page's width at a readable zoom, within the screen the main window is on.
    const QRect screen = mdi.screen()->availableGeometry();
    preview.resize(std::min(900, screen.width() * 9 / 10),
                   std::min(1000, screen.height() * 9 / 10));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&report](QPrinter *p) { (void)report->Paint(*p); });

    // Saving a PDF beside printing it, without going through the print dialog.
    if (QToolBar *bar = preview.findChild<QToolBar *>()) {
        bar->addSeparator();
        QAction *pdf = bar->addAction(QStringLiteral("Salvar PDF..."));
        pdf->setObjectName(QStringLiteral("butpdf"));
        pdf->setToolTip(QStringLiteral("Salvar o relatório em PDF"));
        QObject::connect(pdf, &QAction::triggered, &preview, [&]() {
            const QString project = QString::fromStdString(ctx.state.projectPath);
            const QString proposed =
                    (project.isEmpty() ? ctx.paths().programFolder() + QStringLiteral("/relatorio")
                                       : QFileInfo(project).absolutePath() + '/'
                                     + QFileInfo(project).completeBaseName())
                    + QStringLiteral(".pdf");
            const QString file = QFileDialog::getSaveFileName(
                    &preview, QString(), proposed, QStringLiteral("Documento PDF (*.pdf)"));
            if (file.isEmpty())
                return;
            if (ErrorPair e = report->WritePdf(file); !e.ok())
                showError(mdi, e);
        });
    }
    preview.exec();
}

void RegisterReportWindows(MDI &mdi)
{
    mdi.registerCommand(QStringLiteral("PRINTPRJ"), [&mdi]() { PrintProjectReport(mdi); });
}
