#include "core/StartUp.h"
#include "core/AppContext.h"
#include "core/RegionalSettings.h"
#include "core/SystemRegionalSettings.h"
#include "core/ui/MDI.h"
#include "settings/ApplySettings.h"
#include "storage/ProjectFlow.h"
#include "storage/ProjectTestSupport.h"
#include "support/MessageBoxCatcher.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Asked
{
    std::string text;
    UiHost::Buttons buttons;
    UiHost::Icon icon;
    std::string title;
};

TEST(StartUp, RegionalCheck)
{
    // country, decimal, grouping, answer → whether asked, symbols afterwards, and whether the
    // program goes on. The cases of the check's rule: a full swap for the country counts.
    const struct
    {
        const char *country;
        const char *decimal;
        const char *grouping;
        int answer;
        bool asked;
        const char *decimalAfter;
        const char *groupingAfter;
    } cases[] = {
        { "55", ".", ",", UiHost::Yes, true, ",", "." },
        { "55", ".", ",", UiHost::No, true, ".", "," },
        { "1", ",", ".", UiHost::Yes, true, ".", "," },
        { "351", ".", ",", UiHost::Yes, true, ",", "." },
        { "55", ",", " ", UiHost::Yes, false, ",", " " },
        { "55", ",", ".", UiHost::Yes, false, ",", "." },
        { "1", ".", ",", UiHost::Yes, false, ".", "," },
        { "0", ".", ",", UiHost::Yes, false, ".", "," },
        { "", ".", ",", UiHost::Yes, false, ".", "," },
        { "Brasil", ".", ",", UiHost::Yes, false, ".", "," },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.country) + " [" + c.decimal + "] [" + c.grouping + "] "
                     + std::to_string(c.answer));
        FixedRegionalSettings regional("Português (Brasil)", c.country, c.decimal, c.grouping);
        std::vector<Asked> asked;
        const auto ask = [&](const std::string &text, UiHost::Buttons b, UiHost::Icon i,
                             const std::string &title) {
            asked.push_back({ text, b, i, title });
            return asked.size() == 1 ? c.answer : int(UiHost::Ok);
        };
        const bool goesOn = StartUp::CheckRegionalSettings(regional, ask);
        EXPECT_EQ(goesOn, !c.asked);
        EXPECT_EQ(regional.decimalSymbol(), c.decimalAfter);
        EXPECT_EQ(regional.groupingSymbol(), c.groupingAfter);
        if (!c.asked) {
            EXPECT_TRUE(asked.empty());
            continue;
        }
        ASSERT_EQ(asked.size(), 2u);
        EXPECT_EQ(asked[0].text,
                  "O Reservium verificou alguma(s) incompatibilidade(s) referente(s)\n"
                  "às configurações regionais de seu computador:\n"
                  "Idioma: [Português (Brasil)]\n"
                  "- SÍMBOLO DECIMAL e SÍMBOLO DE AGRUPAMENTO DE DÍGITOS alternados!\n"
                  "Deseja que o Reservium corrija automaticamente esta(s) incompatibilidade(s)?");
        EXPECT_EQ(asked[0].buttons, UiHost::Buttons::YesNo);
        EXPECT_EQ(asked[0].icon, UiHost::Icon::Critical);
        EXPECT_EQ(asked[0].title, "ATENÇÃO!");
        EXPECT_EQ(asked[1].text,
                  c.answer == UiHost::Yes
                          ? "O Reservium efetuou a(s) modificação(ões) necessária(s) em seu "
                            "sistema.\nExecute o Reservium novamente."
                          : "O Reservium não será executado com as configurações regionais "
                            "atuais.");
        EXPECT_EQ(asked[1].icon, UiHost::Icon::Information);
        EXPECT_EQ(asked[1].title, "ATENÇÃO!");
        // The next start passes once the symbols were swapped.
        if (c.answer == UiHost::Yes) {
            asked.clear();
            EXPECT_TRUE(StartUp::CheckRegionalSettings(regional, ask));
            EXPECT_TRUE(asked.empty());
        }
    }
}

TEST(StartUp, SwapIsWrittenToTheProgramsOwnSettingsAndReadOnTheNextStart)
{
    QTemporaryDir dir;
    const QString overrides = QDir(dir.path()).filePath("regional.ini");
    SystemRegionalSettings first(overrides);
    const std::string decimal = first.decimalSymbol();
    const std::string grouping = first.groupingSymbol();
    ASSERT_TRUE(first.WriteLocale(RegionalSettings::DecimalSymbol, grouping));
    ASSERT_TRUE(first.WriteLocale(RegionalSettings::GroupingSymbol, decimal));
    SystemRegionalSettings next(overrides);
    EXPECT_EQ(next.decimalSymbol(), grouping);
    EXPECT_EQ(next.groupingSymbol(), decimal);
}

TEST(StartUp, CommandLine)
{
    QTemporaryDir dir;
    const QString project = QDir(dir.path()).filePath("caixa.rsv");
    const QString upper = QDir(dir.path()).filePath("CAIXA2.RSV");
    for (const QString &f : { project, upper }) {
        QFile file(f);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const struct
    {
        QStringList arguments;
        QString file;
        const char *error; ///< a piece of the message; empty: none
    } cases[] = {
        { {}, {}, "" },
        { { project }, project, "" },
        { { upper }, upper, "" },
        { { QDir(dir.path()).filePath("outra.rsv") }, {}, "não foi encontrado" },
        { { "--help" }, {}, "não foi reconhecido" },
        { { "notas.txt" }, {}, "não foi reconhecido" },
        { { project, project }, {}, "um projeto de cada vez" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const StartUp::CommandLine line = StartUp::ParseCommandLine(c.arguments);
        EXPECT_EQ(line.projectFile, c.file);
        if (*c.error)
            EXPECT_TRUE(line.error.contains(QString::fromUtf8(c.error)))
                    << line.error.toStdString();
        else
            EXPECT_TRUE(line.error.isEmpty()) << line.error.toStdString();
    }
}

TEST(StartUp, AProjectFromTheCommandLineOpensAsOpenDoes)
{
    QTemporaryDir dir;
    // The project made the way the user makes one: a program of its own calculates and saves.
    QString path;
    {
        project_test::Program maker(dir.path());
        maker.setElevated(true);
        maker.calculate();
        path = QDir(dir.path()).filePath("caixa.rsv");
        maker.ctx.state.projectPath = path.toStdString();
        ASSERT_TRUE(ProjectFlow::SaveProject(maker.ctx, false, false).ok());
    }
    AppContext context(std::make_unique<FixedRegionalSettings>(FixedRegionalSettings::ptBR()),
                       ProgramPaths(dir.path(), RESERVIUM_TEST_DATA_DIR));
    ApplySettings(context);
    MDI window(context);
    window.show();
    const StartUp::CommandLine line = StartUp::ParseCommandLine({ path });
    ASSERT_TRUE(line.error.isEmpty());
    MessageBoxCatcher catcher;
    window.OpenProjectFile(line.projectFile);
    EXPECT_TRUE(catcher.texts.isEmpty()) << catcher.texts.join('\n').toStdString();
    EXPECT_EQ(QDir::fromNativeSeparators(QString::fromStdString(context.state.projectPath)), path);
    EXPECT_EQ(context.state.calcState % 1000, 10); // the elevated tank, calculated again
    EXPECT_GT(context.state.calcState, 1000);

    // A file that is no project is refused with its message; nothing changes.
    const QString broken = QDir(dir.path()).filePath("estragado.rsv");
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a database");
    }
    window.OpenProjectFile(broken);
    ASSERT_EQ(catcher.titles.size(), 1);
    EXPECT_TRUE(catcher.titles[0].startsWith("Erro ")) << catcher.titles[0].toStdString();
    EXPECT_EQ(QDir::fromNativeSeparators(QString::fromStdString(context.state.projectPath)), path);
}

} // namespace
