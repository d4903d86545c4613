#include "DetailingFixture.h"

#include "cad/ExchangeFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ExchangeFiles;

TEST(ExchangeFiles, ReadsTheDetailingFile)
{
    const Read<DetailingData> r = ParseDetailing(DetailingFixture(ExcludeThree()));
    ASSERT_TRUE(r.ok()) << r.error.message();
    const DetailingData &d = *r.value;
    EXPECT_EQ(d.a, 279);
    EXPECT_EQ(d.b, 256);
    EXPECT_EQ(d.h, 261);
    EXPECT_EQ(d.cover, 2.5);
    EXPECT_EQ(d.steel, "CA-50");
    EXPECT_EQ(d.bottomChamfer, 25);
    EXPECT_EQ(d.hatchLy, 40);
    EXPECT_EQ(d.cornerPercent, 25);
    const PositionBars &p1 = d.positions[0];
    EXPECT_EQ(p1.N, "1");
    EXPECT_EQ(p1.bars, 11);
    EXPECT_EQ(p1.gauge, "6.3");
    EXPECT_FLOAT_EQ(p1.diameterMm, 6.3f);
    EXPECT_EQ(p1.spacingText, "15");
    EXPECT_EQ(p1.length, 110);
    EXPECT_TRUE(d.positions[2].excluded);
    EXPECT_EQ(d.positions[2].index, 3);
    EXPECT_FALSE(d.positions[3].excluded);
}

TEST(ExchangeFiles, InchGaugesAndUnixLineEndsAreRead)
{
    std::string text = DetailingFixture({ { 14, "1/4" }, { 19, "1.1/4" } });
    std::erase(text, '\r');
    const Read<DetailingData> r = ParseDetailing(text);
    ASSERT_TRUE(r.ok()) << r.error.message();
    EXPECT_FLOAT_EQ(r.value->positions[0].diameterMm, 6.3f);
    EXPECT_FLOAT_EQ(r.value->positions[1].diameterMm, 32.0f);
}

TEST(ExchangeFiles, AMalformedDetailingFileNamesTheFileAndTheLine)
{
    const struct
    {
        std::map<int, std::string> changes;
        int lines;
        std::string message;
    } cases[] = {
        { {}, 115, "RSV_DET.ENT: o arquivo tem 115 linhas; são esperadas 116." },
        { { { 1, "abc" } }, 116, "RSV_DET.ENT, linha 1: largura a: \"abc\" não é um número." },
        { { { 1, "" } }, 116, "RSV_DET.ENT, linha 1: largura a: \"\" não é um número." },
        { { { 3, "-5" } }, 116, "RSV_DET.ENT, linha 3: altura h: -5 está fora do intervalo" },
        { { { 13, "1.5" } },
          116,
          "RSV_DET.ENT, linha 13: número de barras: \"1.5\" não é um número inteiro." },
        { { { 14, "7" } }, 116, "RSV_DET.ENT, linha 14: bitola \"7\" desconhecida." },
        { { { 5, "200" } }, 116, "RSV_DET.ENT, linha 5: as paredes de 200 cm" },
        { { { 4, "150" }, { 6, "150" } }, 116, "RSV_DET.ENT, linha 4: a tampa e o fundo" },
        { { { 114, "250" } }, 116, "RSV_DET.ENT, linha 112: a abertura da tampa sai da tampa." },
        { { { 116, "120" } }, 116, "RSV_DET.ENT, linha 116:" },
    };
    for (const auto &c : cases) {
        const Read<DetailingData> r = ParseDetailing(DetailingFixture(c.changes, c.lines));
        EXPECT_FALSE(r.ok());
        EXPECT_EQ(r.error.message().rfind(c.message, 0), 0u) << r.error.message();
    }
    const Read<DetailingData> extra = ParseDetailing(DetailingFixture() + "x\r\n");
    EXPECT_EQ(extra.error.message(),
              "RSV_DET.ENT, linha 117: linha a mais: o arquivo deve ter 116 linhas.");
    // Blank lines after the last value are tolerated.
    EXPECT_TRUE(ParseDetailing(DetailingFixture() + "\r\n\r\n").ok());
}

TEST(ExchangeFiles, ReadsTheSettingsAndRefusesAShortOrWrongOne)
{
    const Read<DrawingSettings> r = ParseSettings(JoinLines(DefaultSettingsLines()));
    ASSERT_TRUE(r.ok()) << r.error.message();
    EXPECT_EQ(r.value->tick, 1);
    EXPECT_EQ(r.value->labelFraction, 0.35);
    EXPECT_EQ(r.value->layerColors[2], 1);
    EXPECT_EQ(r.value->styles[0].font, "romans.shx");
    EXPECT_EQ(r.value->styles[0].height, 5);
    EXPECT_FALSE(r.value->styles[4].trueType);

    std::vector<std::string> lines = DefaultSettingsLines();
    lines.pop_back();
    EXPECT_EQ(ParseSettings(JoinLines(lines)).error.message(),
              "RSV_ACAD.CFG: o arquivo tem 31 linhas; são esperadas 32.");
    lines = DefaultSettingsLines();
    lines[7] = "300";
    EXPECT_EQ(ParseSettings(JoinLines(lines)).error.line, 8);
    lines = DefaultSettingsLines();
    lines[29] = "sim";
    EXPECT_EQ(ParseSettings(JoinLines(lines)).error.message(),
              "RSV_ACAD.CFG, linha 30: fonte True Type: \"sim\" deve ser 0 ou 1.");
    lines = DefaultSettingsLines();
    lines[0] = "5";
    EXPECT_EQ(ParseSettings(JoinLines(lines)).error.line, 1);
}

TEST(ExchangeFiles, ReadsSheetScaleLegendAndPositionRequest)
{
    const Read<SheetFormat> sheet = ParseFormat("50\r\n35\r\n");
    ASSERT_TRUE(sheet.ok());
    EXPECT_EQ(sheet.value->widthCm, 50);
    EXPECT_EQ(sheet.value->heightCm, 35);
    EXPECT_EQ(ParseFormat("50\r\n").error.message(),
              "RSV_DFM.ENT: o arquivo tem 1 linha; são esperadas 2.");
    EXPECT_EQ(*ParseScale("75\r\n").value, 75);
    EXPECT_EQ(ParseScale("0\r\n").error.line, 1);
    EXPECT_EQ(ParseScale("1,5\r\n").error.line, 1); // the files always carry "."

    const Read<std::array<std::string, 5>> legend =
            ParseLegend("Caixa d'água\r\nCliente\r\n\r\nEng. Ana\r\n\r\n");
    ASSERT_TRUE(legend.ok()) << legend.error.message();
    EXPECT_EQ((*legend.value)[0], "Caixa d'água");
    EXPECT_EQ((*legend.value)[2], "");
    EXPECT_EQ((*legend.value)[3], "Eng. Ana");
    EXPECT_FALSE(ParseLegend("a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n").ok());

    const Read<PositionRequest> request =
            ParsePositionRequest("21\r\n0\r\n8\r\n15\r\n120\r\n1\r\n1\r\n1\r\n1\r\n");
    ASSERT_TRUE(request.ok()) << request.error.message();
    EXPECT_EQ(request.value->number, "21");
    EXPECT_EQ(request.value->gauge, "8");
    EXPECT_TRUE(request.value->withDescription);
    EXPECT_EQ(ParsePositionRequest("21\r\n0\r\n8\r\n0\r\n120\r\n1\r\n1\r\n1\r\n1\r\n").error.line,
              2);
}

TEST(ExchangeFiles, AMissingFileSaysWhereItWasLookedFor)
{
    QTemporaryDir dir;
    const Read<DetailingData> r = ReadDetailing(dir.path().toStdString());
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.error.message().rfind("RSV_DET.ENT: o arquivo não foi encontrado na pasta", 0), 0u)
            << r.error.message();
    for (const auto &message : { ReadSettings(dir.path().toStdString()).error.message(),
                                 ReadFormat(dir.path().toStdString()).error.message(),
                                 ReadScale(dir.path().toStdString()).error.message(),
                                 ReadLegend(dir.path().toStdString()).error.message(),
                                 ReadPositionRequest(dir.path().toStdString()).error.message() })
        EXPECT_NE(message.find("não foi encontrado"), std::string::npos) << message;
}
