// Pictures of the input windows as a user sees them, for looking at under a real X server:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/tests/gui/input_screenshots OUTDIR
// (QT_SCALE_FACTOR=2 for double scale). Not a test: nothing is checked here.
#include "core/AppContext.h"
#include "core/RegionalSettings.h"
#include "core/ui/MDI.h"
#include "input/CalculationLaunch.h"
#include "input/InputFlows.h"
#include "settings/ApplySettings.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

QString outDir;

struct Program
{
    QTemporaryDir home;
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<MDI> mdi;

    Program()
    {
        ctx = std::make_unique<AppContext>(
                std::make_unique<FixedRegionalSettings>(FixedRegionalSettings::ptBR()),
                ProgramPaths(home.path(), QStringLiteral(RESERVIUM_TEST_DATA_DIR)));
        ApplySettings(*ctx);
        InitWindowSizes(ctx->state, 15, 15);
        mdi = std::make_unique<MDI>(*ctx);
        mdi->resize(655, 545);
        mdi->show();
    }

    void settle() const
    {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
    }

    void shot(const QString &name) const
    {
        settle();
        mdi->grab().save(QDir(outDir).filePath(name + ".png"));
    }

    /// Types a text into a field as the user would: select all, then the keys.
    void type(const char *form, const char *field, const QString &text) const
    {
        auto *edit = mdi->form(form)->findChild<QLineEdit *>(field);
        edit->setFocus();
        edit->selectAll();
        edit->insert(QString()); // the selection goes
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &press);
        }
    }

    void forward(InputChain::InputWindow w) const { InputFlows::Forward(*ctx, w); }
};

void chainTo(Program &p, InputChain::InputWindow target)
{
    p.mdi->ShowForm("FormTipoElev");
    InputChain::InputWindow w = InputChain::InputWindow::FormTipoElev;
    while (w != target)
        w = InputFlows::Forward(*p.ctx, w);
}

void dialogShot(Program &p, const char *form, const QString &name, std::function<void()> open)
{
    QTimer::singleShot(200, p.mdi.get(), [&p, form, name] {
        QWidget *d = p.mdi->form(form);
        p.settle();
        d->grab().save(QDir(outDir).filePath(name + ".png"));
        if (auto *dialog = qobject_cast<QDialog *>(d))
            dialog->reject();
    });
    open();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(outDir);
    using W = InputChain::InputWindow;
    {
        Program p;
        chainTo(p, W::FormTipoElev);
        p.shot("01-tipo");
        chainTo(p, W::FormDadosGeometricos);
        p.shot("02-geometria");
        p.type("FormDadosGeometricos", "Text_b", "3");
        p.shot("03-geometria-limite");
        p.type("FormDadosGeometricos", "Text_a", "8");
        p.type("FormDadosGeometricos", "Text_b", "1");
        p.type("FormDadosGeometricos", "Text_h", "5");
        p.type("FormDadosGeometricos", "Text_hn", "4,5");
        p.shot("04-geometria-8x1x5");
        p.forward(W::FormDadosGeometricos);
        p.shot("05-tampa-8x1");
        p.type("FormPosTampa", "Text_X", "1,5");
        p.type("FormPosTampa", "Text_Y", "0,5");
        p.type("FormPosTampa", "Text_Lx", "5");
        p.type("FormPosTampa", "Text_Ly", "0,3");
        p.shot("06-tampa-8x1-escotilha");
        p.forward(W::FormPosTampa);
        p.shot("07-enterrada-8x1x5");
        auto *check = p.mdi->form("FormDadosEnterrada")->findChild<QCheckBox *>("Checkhna");
        check->click();
        p.shot("08-enterrada-sem-agua");
    }
    {
        Program p;
        chainTo(p, W::FormPosTampa);
        p.shot("09-tampa");
        p.type("FormPosTampa", "Text_Lx", "1,80");
        p.shot("10-tampa-limite");
        p.type("FormPosTampa", "Text_Lx", "1");
        p.forward(W::FormPosTampa);
        p.shot("11-enterrada");
        p.type("FormDadosEnterrada", "Texthna", "1,6");
        p.shot("12-enterrada-limite");
        p.type("FormDadosEnterrada", "Texthna", "0,75");
        p.forward(W::FormDadosEnterrada);
        p.shot("13-armacao");
        p.mdi->ShowProgress(CalculationLaunch::kProgressLabel);
        p.mdi->grab().save(QDir(outDir).filePath("14-aguarde.png"));
        p.settle();
        dialogShot(p, "FormSolos", "15-solos", [&p] { p.mdi->ShowForm("FormSolos"); });
        p.forward(W::FormPosicaoAs);
        dialogShot(p, "FormAltera_e", "16-altera-e", [&p] {
            CalculationLaunch::Inicia_Altera_e(
                    *p.ctx, "Espessura das paredes calculada:", p.ctx->state.thicknessEp,
                    "e(p):", "Altera Espessura");
        });
    }
    return 0;
}
