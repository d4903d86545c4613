#include "DetailingFixture.h"

#include "cad/Detailing.h"
#include "design/ModuleDimFlex.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <set>

using namespace ExchangeFiles;

namespace {

DetailingData data(const std::map<int, std::string> &changes = {})
{
    const Read<DetailingData> r = ParseDetailing(DetailingFixture(changes));
    EXPECT_TRUE(r.ok()) << r.error.message();
    return r.value.value_or(DetailingData{});
}

DrawingSettings settings()
{
    return ParseSettings(JoinLines(DefaultSettingsLines())).value.value();
}

/// The texts of one layer over the whole scene.
std::vector<std::string> textsOn(const draw::Scene &scene, const std::string &layer)
{
    std::vector<std::string> out;
    for (const draw::Group &g : scene.groups)
        for (const draw::Item &item : g.items)
            if (const auto *t = std::get_if<draw::Text>(&item.shape);
                t && item.stroke.layer == layer)
                out.push_back(t->text);
    return out;
}

int count(const draw::Group &g, auto predicate)
{
    int n = 0;
    for (const draw::Item &item : g.items)
        n += predicate(item) ? 1 : 0;
    return n;
}

draw::Scene whole(const DetailingData &d, const char *sheet = "A1")
{
    const std::map<std::string, SheetFormat> sizes = { { "A1", { 84.1, 59.4 } },
                                                       { "A4", { 21, 29.7 } } };
    Detailing::Options o;
    o.scale = 50;
    o.date = "11/12/2026";
    return Detailing::WholeDetailing(d, settings(), sizes.at(sheet),
                                     { "Caixa 1", "Prefeitura", "Rua A", "Eng. Ana", "" }, o);
}

} // namespace

TEST(Detailing, LabelsEveryIncludedPositionOnceAndNoExcludedOne)
{
    const draw::Scene scene = whole(data(ExcludeThree()));
    const std::vector<std::string> labels = textsOn(scene, "Texto das Armaduras");
    const std::regex label(R"(N(\d+) (\d+) ø([0-9./']+) c/([0-9.]+) C=(\d+))");
    std::multiset<int> seen;
    for (const std::string &t : labels) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(t, m, label)) << t;
        seen.insert(std::stoi(m[1]));
    }
    for (int i = 1; i <= 20; ++i)
        EXPECT_EQ(seen.count(i), i == 3 ? 0u : 1u) << "N" << i;
    EXPECT_NE(std::find(labels.begin(), labels.end(), "N1 11 ø6.3 c/15 C=110"), labels.end());
}

TEST(Detailing, TheDrawingHasTheTenLayersAndItsElements)
{
    const draw::Scene scene = whole(data());
    ASSERT_EQ(scene.layers.size(), 10u);
    for (std::size_t k = 0; k < 10; ++k)
        EXPECT_EQ(scene.layers[k].name, LayerNames()[k]);
    EXPECT_EQ(scene.findLayer("Armaduras")->color, 1);
    EXPECT_EQ(scene.styles.size(), 5u);
    for (const char *name : { Detailing::kSheet, Detailing::kLidPlan, Detailing::kBottomPlan,
                              Detailing::kSectionA, Detailing::kSectionB, Detailing::kSchedule })
        EXPECT_NE(scene.findGroup(name), nullptr) << name;
    // Views at 1 : 50 on a paper drawn in millimetres.
    EXPECT_DOUBLE_EQ(scene.findGroup(Detailing::kSectionA)->scale, 0.2);
    const std::vector<std::string> general = textsOn(scene, "Texto Geral");
    for (const char *t :
         { "PLANTA DA TAMPA", "PLANTA DO FUNDO", "CORTE A-A", "CORTE B-B", "Caixa 1", "Prefeitura",
           "Eng. Ana", "ESCALA: 1:50", "FORMATO: A1", "DATA: 11/12/2026" })
        EXPECT_NE(std::find(general.begin(), general.end(), t), general.end()) << t;
}

TEST(Detailing, ElementsLieInsideTheSheetWithoutOverlapping)
{
    const draw::Scene scene = whole(data());
    const draw::Bounds paper = draw::groupBounds(*scene.findGroup(Detailing::kSheet));
    std::vector<draw::Bounds> placed;
    for (const draw::Group &g : scene.groups) {
        if (g.name == Detailing::kSheet)
            continue;
        const draw::Bounds own = draw::groupBounds(g);
        draw::Bounds b;
        b.include({ g.insert.x + own.min.x * g.scale, g.insert.y + own.min.y * g.scale });
        b.include({ g.insert.x + own.max.x * g.scale, g.insert.y + own.max.y * g.scale });
        EXPECT_GE(b.min.x, paper.min.x) << g.name;
        EXPECT_LE(b.max.x, paper.max.x) << g.name;
        EXPECT_GE(b.min.y, paper.min.y) << g.name;
        EXPECT_LE(b.max.y, paper.max.y) << g.name;
        for (const draw::Bounds &o : placed)
            EXPECT_FALSE(b.min.x < o.max.x && o.min.x < b.max.x && b.min.y < o.max.y
                         && o.min.y < b.max.y)
                    << g.name << " overlaps";
        placed.push_back(b);
    }
}

TEST(Detailing, ElementsWithoutRoomOnTheSheetAreNamed)
{
    // At 1:50 an A1 sheet holds the whole detailing; an A4 sheet cannot hold all four views
    // and the schedule, and what is left beside it is reported.
    EXPECT_TRUE(Detailing::ElementsOffSheet(whole(data())).empty());
    const draw::Scene small = whole(data(), "A4");
    const std::vector<std::string> off = Detailing::ElementsOffSheet(small);
    ASSERT_FALSE(off.empty());
    const draw::Bounds paper = draw::groupBounds(*small.findGroup(Detailing::kSheet));
    for (const std::string &name : off) {
        const draw::Group &g = *small.findGroup(name);
        EXPECT_GE(g.insert.x + draw::groupBounds(g).min.x * g.scale, paper.max.x) << name;
    }
}

TEST(Detailing, EachLevelAddsToTheViews)
{
    const DetailingData d = data();
    const auto view = [&](Detailing::Content content) {
        draw::Scene scene = Detailing::NewDrawing(settings());
        Detailing::AddViews(scene, d, settings(), content, {});
        return *scene.findGroup(Detailing::kSectionA);
    };
    const auto dims = [](const draw::Item &i) {
        return std::holds_alternative<draw::Dimension>(i.shape);
    };
    const auto bars = [](const draw::Item &i) { return i.stroke.layer == "Armaduras"; };
    const draw::Group forms = view(Detailing::Content::Forms);
    const draw::Group dimensioned = view(Detailing::Content::Dimensions);
    const draw::Group reinforced = view(Detailing::Content::Reinforcement);
    EXPECT_EQ(count(forms, dims), 0);
    EXPECT_EQ(count(forms, bars), 0);
    EXPECT_GT(count(dimensioned, dims), 5);
    EXPECT_EQ(count(dimensioned, bars), 0);
    EXPECT_EQ(count(reinforced, dims), count(dimensioned, dims));
    EXPECT_GT(count(reinforced, bars), 10);
    // The section cuts through the opening: the lid is interrupted over 60 cm.
    const auto texts = [](const draw::Group &g) {
        std::vector<std::string> out;
        for (const draw::Item &i : g.items)
            if (const auto *dd = std::get_if<draw::Dimension>(&i.shape))
                out.push_back(dd->text);
        return out;
    };
    const std::vector<std::string> measured = texts(dimensioned);
    for (const char *t : { "279", "261", "15", "249", "231", "60", "40", "179" })
        EXPECT_NE(std::find(measured.begin(), measured.end(), t), measured.end()) << t;
}

TEST(Detailing, ScheduleCountsRepetitionsAndWeighsAsTheQuantities)
{
    const DetailingData d = data(ExcludeThree());
    const Detailing::Schedule s = Detailing::BuildSchedule(d);
    ASSERT_EQ(s.rows.size(), 19u);
    EXPECT_EQ(s.rows[0].N, "1");
    EXPECT_EQ(s.rows[0].quantity, 11);
    // Position 19 occurs four times in the tank, position 4 twice.
    const auto row = [&](const std::string &n) {
        return *std::find_if(s.rows.begin(), s.rows.end(), [&](auto &r) { return r.N == n; });
    };
    EXPECT_EQ(row("19").quantity, 29 * 4);
    EXPECT_EQ(row("4").quantity, 14 * 2);
    EXPECT_EQ(row("4").totalLength, 28 * 140);
    // Mass per cm × bars × length × occurrences of every included position, the material
    // quantities' rule.
    double expected = 0;
    for (int i = 1; i <= 20; ++i) {
        if (i == 3)
            continue;
        const double mass = i % 2 ? 0.0025 : 0.004;
        expected += mass * (10 + i) * (100 + 10 * i) * ModuleDimFlex::Repetitions(i);
    }
    EXPECT_NEAR(s.totalWeightKg, expected, 1e-6);
    ASSERT_EQ(s.summary.size(), 2u);
    EXPECT_EQ(s.summary[0].gauge, "6.3");
    EXPECT_EQ(s.summary[0].steel, "CA-50");
    EXPECT_FALSE(s.inches);

    const draw::Scene scene = whole(d);
    const std::vector<std::string> texts = textsOn(scene, "Relação de Aço");
    for (const char *t : { "RELAÇÃO DO AÇO", "RESUMO DO AÇO", "PESO TOTAL (kg)", "N19", "116" })
        EXPECT_NE(std::find(texts.begin(), texts.end(), t), texts.end()) << t;
}

TEST(Detailing, SheetNames)
{
    const struct
    {
        SheetFormat sheet;
        const char *name;
    } cases[] = { { { 21, 29.7 }, "A4" },        { { 29.7, 21 }, "A4" },
                  { { 42, 29.7 }, "A3" },        { { 59.4, 42 }, "A2" },
                  { { 84.1, 59.4 }, "A1" },      { { 118.9, 84.1 }, "A0" },
                  { { 50, 35 }, "500 × 350 mm" } };
    for (const auto &c : cases)
        EXPECT_EQ(Detailing::SheetName(c.sheet), c.name);
}

TEST(Detailing, APositionRequestIsDrawnLabelledInTheView)
{
    draw::Scene scene = Detailing::NewDrawing(settings());
    Detailing::AddViews(scene, data(), settings(), Detailing::Content::Forms, {});
    PositionRequest r;
    r.number = "21";
    r.bars = "5";
    r.gauge = "10";
    r.spacing = "0";
    r.length = "120";
    r.withDescription = true;
    Detailing::AddPositionRequest(scene, Detailing::kSectionA, r, settings(), 50);
    const std::vector<std::string> labels = textsOn(scene, "Texto das Armaduras");
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].rfind("N21 5 ø10", 0), 0u) << labels[0];
    const auto dots = [](const draw::Item &i) {
        return std::holds_alternative<draw::Circle>(i.shape);
    };
    EXPECT_EQ(count(*scene.findGroup(Detailing::kSectionA), dots), 5);
}
