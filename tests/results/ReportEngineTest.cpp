// The report engine on small templates and data made here: what a template may say, what it is
// refused for, and what the laid-out pages hold.
#include "results/ReportEngine.h"
#include "results/ReportPrinting.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

using namespace ReportEngine;

ReportData sampleData()
{
    ReportData d;
    d.file = QStringLiteral("/tmp/rsv.mdb");
    d.tables.push_back({ "RSVDAT", { "rsvdatent", "rsvdatA" }, { { "-1", "2,79" } } });
    d.tables.push_back({ "RSVRPT", { "rsvrpttspar" }, { { "0" } } });
    d.tables.push_back({ "RSVARM",
                         { "rsvarmn", "rsvarmdsc" },
                         { { "1", "13ø6,3c20-293" }, { "2", "14ø6,3c20-270" } } });
    d.tables.push_back({ "RSVLGD", { "rsvlgdPRJ" }, {} });
    return d;
}

ErrorPair make(const std::string &text, std::unique_ptr<Report> &out)
{
    Template t;
    if (ErrorPair e = ParseTemplate(text, QStringLiteral("/modelos/teste.rpt"), t); !e.ok())
        return e;
    return Report::Create(std::move(t), sampleData(), Options{}, out);
}

/// Lays the report out on a PDF written in memory; the number of pages it made.
int pagesOf(const Report &report)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    return report.Paint(pdf);
}

TEST(ReportEngine, TemplatesTheEngineRefusesNameTheLineAndWhatIsWrong)
{
    const struct
    {
        const char *text;
        std::int32_t number;
        const char *message; // part of the description
    } cases[] = {
        { "capitulo: A", 20515, "linha 1: a instrução \"capitulo\" não existe" },
        { "secao A", 20515, "linha 1: falta \":\" depois de \"secao\"" },
        { "linha: 1 | 2", 20515, "linha 1: \"linha\" fora de uma tabela" },
        { "tabela: A\nsecao: B\nfim", 20515, "linha 2: dentro de uma tabela só há" },
        { "tabela: A\nlinha: 1", 20515, "linha 1: o bloco aberto aqui não tem \"fim\"" },
        { "fim", 20515, "linha 1: \"fim\" sem bloco aberto" },
        { "senão", 20515, "linha 1: \"senão\" sem um \"se\" antes" },
        { "se {RSVDAT.rsvdatent}", 20515, "linha 1: \"se\" pede uma comparação" },
        { "texto: {RSVDAT.rsvdatA", 20515, "linha 1: as chaves { } não se fecham" },
        { "\n\n# comentário\ntexto: {RSVDAT.rsvdatZ}", 3265,
          "linha 4: pede o campo RSVDAT.rsvdatZ, que a tabela RSVDAT do banco de dados "
          "\"/tmp/rsv.mdb\" não tem" },
        { "texto: {RSVXYZ.a}", 3078, "não tem a tabela RSVXYZ" },
        // A field of a branch that this tank does not take is checked all the same.
        { "se {RSVDAT.rsvdatent} = 0\ntexto: {RSVDAT.nada}\nfim", 3265, "linha 2" },
        { "se {RSVDAT.rsvdatent} = -1\nsenão\ntexto: {RSVDAT.nada}\nfim", 3265, "linha 3" },
        { "tabela: N\nlinhas RSVXYZ: {a}\nfim", 3078, "linha 2: pede as linhas da tabela RSVXYZ" },
        { "tabela: N\nlinhas RSVARM: {rsvarmq}\nfim", 3265,
          "pede o campo rsvarmq, que a tabela RSVARM" },
        { "texto: {rsvdatA}", 3265, "sem a tabela; escreva {TABELA.rsvdatA}" },
        { "texto: página {pagina}", 20515, "{pagina} só vale no cabeçalho e no rodapé" },
        { "figura planta: x", 20515, "a figura \"planta\" não existe" },
        { "texto: {RSVDAT.rsvdatA:0,00}", 20515, "o formato \"0,00\" não existe" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        std::unique_ptr<Report> report;
        const ErrorPair e = make(c.text, report);
        EXPECT_EQ(e.number, c.number);
        EXPECT_NE(e.description.find(c.message), std::string::npos) << e.description;
        EXPECT_NE(e.description.find("/modelos/teste.rpt"), std::string::npos) << e.description;
        EXPECT_EQ(report, nullptr);
    }
}

TEST(ReportEngine, TemplatesItAccepts)
{
    const char *texts[] = {
        "",
        "# só comentários\n\n",
        "Seção: Acentos e maiúsculas nas palavras\nTítulo: x\ncabeçalho: {título}\nrodapé: "
        "{página} de {páginas} {data}",
        "tabela:\nlinha: a | {RSVDAT.rsvdata}\nfim",
        "texto: chaves {{literais}}",
        "texto: {RSVDAT.rsvdatA:0.0} {RSVDAT.rsvdatent:0}",
        "se {RSVDAT.rsvdatent} <> 0\nse {RSVRPT.rsvrpttspar} = 0\ntexto: x\nfim\nsenao\ntexto: "
        "y\nfim",
        "texto: tabela vazia {RSVLGD.rsvlgdPRJ}\nquebra\ntexto: outra página",
    };
    for (const char *text : texts) {
        SCOPED_TRACE(text);
        std::unique_ptr<Report> report;
        const ErrorPair e = make(text, report);
        EXPECT_TRUE(e.ok()) << e.description;
        ASSERT_NE(report, nullptr);
        EXPECT_GE(pagesOf(*report), 1);
    }
}

TEST(ReportEngine, AFileThatIsMissingOrNotUtf8)
{
    QTemporaryDir dir;
    Template t;
    ErrorPair e = LoadTemplate(dir.filePath("rsvh.rpt"), t);
    EXPECT_EQ(e.number, 53);
    EXPECT_NE(e.description.find("rsvh.rpt\" não foi encontrado"), std::string::npos);

    QFile latin1(dir.filePath("latin1.rpt"));
    ASSERT_TRUE(latin1.open(QIODevice::WriteOnly));
    latin1.write("secao: Observa\xe7\xf5"
                 "es\n");
    latin1.close();
    e = LoadTemplate(latin1.fileName(), t);
    EXPECT_EQ(e.number, 75);
    EXPECT_NE(e.description.find("não está em UTF-8"), std::string::npos);

    e = LoadReportData(dir.filePath("rsv.mdb"), *std::make_unique<ReportData>());
    EXPECT_EQ(e.number, 3024);
}

TEST(ReportEngine, ABreakStartsAPageAndALongTableRunsOver)
{
    std::unique_ptr<Report> report;
    ASSERT_TRUE(make("texto: um\nquebra\ntexto: dois", report).ok());
    EXPECT_EQ(pagesOf(*report), 2);

    std::string rows = "tabela: N | Descrição\n";
    for (int i = 0; i < 120; ++i)
        rows += "linhas RSVARM: {rsvarmn} | {rsvarmdsc}\n";
    rows += "fim\n";
    ASSERT_TRUE(make(rows, report).ok());
    EXPECT_GE(pagesOf(*report), 3); // 240 rows
}

} // namespace

namespace {

std::vector<std::string> textsOf(const draw::Scene &scene)
{
    std::vector<std::string> texts;
    for (const draw::Group &g : scene.groups) {
        for (const draw::Item &item : g.items) {
            if (const auto *t = std::get_if<draw::Text>(&item.shape))
                texts.push_back(t->text);
        }
    }
    return texts;
}

bool has(const std::vector<std::string> &texts, const std::string &wanted)
{
    return std::find(texts.begin(), texts.end(), wanted) != texts.end();
}

/// The figures are the results window's pictures drawn from the values of the data file, not
/// from the program's state: here a file whose values no calculation gave.
TEST(ReportFigures, DrawnFromTheDataFileAlone)
{
    ReportData d;
    d.file = QStringLiteral("/tmp/rsv.mdb");
    d.tables.push_back({ "RSVDAT",
                         { "rsvdatent", "rsvdatA", "rsvdatB", "rsvdatH", "rsvdatHN", "rsvdatASPOS",
                           "rsvdatET", "rsvdatEP", "rsvdatEF" },
                         { { "0", "3", "4", "2,5", "2", "1", "0,12", "0,15", "0,16" } } });
    d.tables.push_back({ "RSVENT", { "rsventCHKHNA" }, { { "" } } });
    d.tables.push_back(
            { "RSVCGA",
              { "rsvcgaa", "rsvcgab", "rsvcgac", "rsvcgad", "rsvcgae", "rsvcgaf", "rsvcgag" },
              { { "-77", "1999", "1999", "0", "0", "0", "0" } } });
    d.tables.push_back({ "RSVMOM",
                         { "rsvmommxp", "rsvmomxxm", "rsvmommyp", "rsvmomxym", "rsvmommxm",
                           "rsvmomxxp", "rsvmommym", "rsvmomxyp" },
                         { { "123,4", "-321", "111", "-321", "-12", "45", "-10", "45" } } });

    const std::optional<draw::Scene> loads = ReportPrinting::BuildFigure("cargas-cheia", d);
    ASSERT_TRUE(loads.has_value());
    EXPECT_TRUE(has(textsOf(*loads), "A = -77 kgf/m²"));
    EXPECT_TRUE(has(textsOf(*loads), "B = 1999 kgf/m²"));

    const std::optional<draw::Scene> moments = ReportPrinting::BuildFigure("momentos-cheia", d);
    ASSERT_TRUE(moments.has_value());
    const std::vector<std::string> texts = textsOf(*moments);
    EXPECT_TRUE(has(texts, "Mx+ = 123,4")) << ::testing::PrintToString(texts);
    EXPECT_TRUE(has(texts, "Xx- = -321")) << ::testing::PrintToString(texts);

    // The horizontal layout has no superposition picture; an unknown name draws nothing.
    EXPECT_FALSE(ReportPrinting::BuildFigure("momentos-superposicao", d).has_value());
    EXPECT_FALSE(ReportPrinting::BuildFigure("planta", d).has_value());
}

} // namespace
