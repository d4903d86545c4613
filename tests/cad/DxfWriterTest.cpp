#include "DxfReadBack.h"

#include "cad/DxfWriter.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace draw;

/// Every kind of primitive on two layers in two groups, one of them scaled and moved.
Scene everyPrimitive()
{
    Scene s;
    s.layer("Formas", 7);
    s.layer("Armaduras", 1, LineType::Dashed, 0.5);
    s.styles.push_back({ "Texto dos Ferros", "DejaVu Sans", "romans.shx" });
    Group &view = s.group("CORTE A-A");
    view.insert = { 10, 20 };
    view.scale = 0.2;
    const Stroke forms{ "Formas" };
    const Stroke bars{ "Armaduras" };
    view.add(Line{ { 0, 0 }, { 100, 0 } }, forms);
    view.add(Polyline{ { { 0, 0 }, { 100, 0 }, { 100, 50 } }, true }, forms);
    view.add(Arc{ { 50, 50 }, 10, 0, 90 }, forms);
    view.add(Circle{ { 20, 20 }, 0.5, true }, bars); // a dot: circle and solid hatch
    view.add(Circle{ { 30, 20 }, 2, false }, bars);
    view.add(Region{ { { 0, 0 }, { 10, 0 }, { 10, 10 } }, Fill::Hatch, 1, 45, 2, true }, forms);
    view.add(Region{ { { 0, 0 }, { 10, 0 }, { 10, 10 } }, Fill::Solid }, forms);
    Text label;
    label.at = { 5, 5 };
    label.text = "N1 13 ø6.3 c/20 C=293";
    label.height = 2;
    label.style = "Texto dos Ferros";
    label.hAlign = HAlign::Center;
    view.add(label, bars);
    Text twoLines = label;
    twoLines.text = "RELAÇÃO\nDO AÇO";
    view.add(twoLines, forms);
    view.add(Dimension{ { 0, 0 }, { 100, 0 }, -8, "100", 2, false, Tick::Oblique, 1 }, forms);
    view.add(Arrow{ { 0, 0 }, { 0, 10 }, 2, false }, bars);
    Group &sheet = s.group("FORMATO");
    sheet.add(Polyline{ { { 0, 0 }, { 420, 0 }, { 420, 297 }, { 0, 297 } }, true }, forms);
    return s;
}

QString auditScript()
{
    return QStringLiteral(RESERVIUM_DXF_AUDIT);
}

} // namespace

TEST(DxfWriter, WritesEveryPrimitiveAsBlocksThatDxflibReadsBack)
{
    QTemporaryDir dir;
    const std::string path = (dir.path() + "/desenho.dxf").toStdString();
    ASSERT_TRUE(DxfWriter::Write(everyPrimitive(), path).ok());

    DxfReadBack back;
    ASSERT_TRUE(back.read(path));
    EXPECT_EQ(back.layerColors.at("Formas"), 7);
    EXPECT_EQ(back.layerColors.at("Armaduras"), 1);
    // One block per group, inserted once, under names CAD programs accept.
    EXPECT_NE(std::find(back.blocks.begin(), back.blocks.end(), "CORTE_A-A"), back.blocks.end());
    EXPECT_NE(std::find(back.blocks.begin(), back.blocks.end(), "FORMATO"), back.blocks.end());
    EXPECT_EQ(back.inserts, (std::vector<std::string>{ "CORTE_A-A", "FORMATO" }));
    // Formas: line, polyline, arc, hatch + its outline, solid, two text lines, dimension and
    // its drawn parts (two extension lines, the line, two ticks, the text), and the sheet's
    // polyline; Armaduras: dot (circle + hatch), circle, label, arrow (line + head).
    EXPECT_EQ(back.perLayer["Formas"], 16);
    EXPECT_NE(std::find(back.blocks.begin(), back.blocks.end(), "*D1"), back.blocks.end());
    EXPECT_EQ(back.perLayer["Armaduras"], 6);
    EXPECT_EQ(back.dimensions, 1);
    EXPECT_EQ(back.hatches, 3);
    EXPECT_NE(std::find(back.texts.begin(), back.texts.end(), "N1 13 \\U+00F86.3 c/20 C=293"),
              back.texts.end());
    EXPECT_NE(std::find(back.texts.begin(), back.texts.end(), "RELA\\U+00C7\\U+00C3O"),
              back.texts.end());
}

TEST(DxfWriter, PassesTheEzdxfAuditAndKeepsTheTexts)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/desenho.dxf";
    ASSERT_TRUE(DxfWriter::Write(everyPrimitive(), path.toStdString()).ok());
    QProcess audit;
    audit.start(QStringLiteral(RESERVIUM_PYTHON3), { auditScript(), path });
    ASSERT_TRUE(audit.waitForFinished(60000));
    const QString out = QString::fromUtf8(audit.readAllStandardOutput());
    EXPECT_EQ(audit.exitCode(), 0) << audit.readAllStandardError().toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("N1 13 ø6.3 c/20 C=293"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("\"Armaduras\": 1"))) << out.toStdString();
}

TEST(DxfWriter, EncodesTextsAndNamesForTheFormat)
{
    EXPECT_EQ(DxfWriter::EncodeText("ø10 c/15"), "\\U+00F810 c/15");
    EXPECT_EQ(DxfWriter::EncodeText("plain"), "plain");
    EXPECT_EQ(DxfWriter::BlockName("RELAÇÃO DO AÇO"), "RELACAO_DO_ACO");
    EXPECT_EQ(DxfWriter::BlockName("a/b:c"), "a_b_c");
}

TEST(DxfWriter, ReportsAFolderThatIsNotThere)
{
    QTemporaryDir dir;
    const std::string path = (dir.path() + "/falta/desenho.dxf").toStdString();
    const ErrorPair e = DxfWriter::Write(everyPrimitive(), path);
    EXPECT_EQ(e.number, 75);
    EXPECT_NE(e.description.find("falta/desenho.dxf"), std::string::npos);
}
