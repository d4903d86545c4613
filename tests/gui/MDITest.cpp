#include "core/ui/MDI.h"
#include "core/AppContext.h"
#include "core/RegionalSettings.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

AppContext makeContext(const QTemporaryDir &dir)
{
    return AppContext(std::make_unique<FixedRegionalSettings>(FixedRegionalSettings::ptBR()),
                      ProgramPaths(dir.path(), dir.path()));
}

TEST(MDI, CaptionMenusAndTheCommandsNotYetAvailable)
{
    QTemporaryDir dir;
    AppContext context = makeContext(dir);
    {
        MDI window(context);
        EXPECT_EQ(context.ui(), &window);
        EXPECT_EQ(window.windowTitle(),
                  QStringLiteral("Reservium - Software para Projeto de Reservatórios em Concreto "
                                 "Armado"));

        QStringList menus;
        for (QAction *a : window.menuBar()->actions())
            menus << a->text();
        EXPECT_EQ(menus, QStringList({ "&Arquivo", "&Configurações", "&Ferramentas", "&Help" }));

        const struct
        {
            const char *name;
            const char *caption;
            bool enabled;
        } items[] = {
            // The project commands are the main window's own; saving waits for results.
            { "NEWPRJ", "&Novo", true },
            { "OPENPRJ", "&Abrir", true },
            { "SAVEPRJ", "&Salvar", false },
            { "SAVEASPRJ", "Sal&var Como...", false },
            // Printing, like saving, waits for results to be shown.
            { "PRINTPRJ", "&Imprimir", false },
            { "PRINTCFG", "&Configurar Impressora", true },
            { "FINDCAD", "&Localizar Plataforma CAD", true },
            { "CALCCFG", "&Configurações de Cálculo", false },
            { "PROJLEGEND", "&Legenda do Projeto", true },
            { "CALC", "&Calculadora", true },
            // Registered by the CAD windows; offered once the results window is shown.
            { "DETAIL", "&Detalhamento", false },
            { "HELPINDEX", "Tópicos da Ajuda", true },
            { "HELPABOUT", "&Sobre o Reservium", true },
        };
        for (const auto &item : items) {
            SCOPED_TRACE(item.name);
            QAction *a = window.menuItem(item.name);
            ASSERT_NE(a, nullptr);
            EXPECT_EQ(a->text(), QString::fromUtf8(item.caption));
            EXPECT_EQ(a->isEnabled(), item.enabled);
        }

        window.show();
        window.ShowInputStatus({ 2, "Largura da caixa acima do limite permitido [ 50m ]" });
        EXPECT_TRUE(window.close());
    }
    // The context outlives the window and no longer points at it.
    EXPECT_EQ(context.ui(), nullptr);
}

} // namespace
