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
            { "NEWPRJ", "&Novo", false },
            { "OPENPRJ", "&Abrir", false },
            { "SAVEPRJ", "&Salvar", false },
            { "SAVEASPRJ", "Sal&var Como...", false },
            { "PRINTPRJ", "&Imprimir", false },
            { "PRINTCFG", "&Configurar Impressora", false },
            { "FINDCAD", "&Localizar Plataforma CAD", true },
            { "CALCCFG", "&Configurações de Cálculo", false },
            { "PROJLEGEND", "&Legenda do Projeto", false },
            { "CALC", "&Calculadora", false },
            { "DETAIL", "&Detalhamento", true },
            { "HELPINDEX", "Tópicos da Ajuda", false },
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
