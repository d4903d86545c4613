#include "input/TankSketches.h"

#include "core/RegionalSettings.h"
#include "input/InputForms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace TankSketches;

namespace {

const FixedRegionalSettings kBR = FixedRegionalSettings::ptBR();

std::vector<std::string> dimensionTexts(const draw::Scene &s)
{
    std::vector<std::string> texts;
    for (const draw::Group &g : s.groups)
        for (const draw::Item &i : g.items)
            if (const auto *d = std::get_if<draw::Dimension>(&i.shape))
                texts.push_back(d->text);
    return texts;
}

std::vector<std::string> labelTexts(const draw::Scene &s)
{
    std::vector<std::string> texts;
    for (const draw::Group &g : s.groups)
        for (const draw::Item &i : g.items)
            if (const auto *t = std::get_if<draw::Text>(&i.shape))
                texts.push_back(t->text);
    return texts;
}

/// The extent of the items of one layer.
draw::Bounds layerBounds(const draw::Scene &s, const std::string &layer)
{
    draw::Bounds b;
    for (const draw::Group &g : s.groups) {
        draw::Group only{ g.name, {}, 1.0, {} };
        for (const draw::Item &i : g.items)
            if (i.stroke.layer == layer)
                only.items.push_back(i);
        b.merge(draw::groupBounds(only));
    }
    return b;
}

bool hasStroke(const draw::Scene &s, const std::string &layer)
{
    for (const draw::Group &g : s.groups)
        for (const draw::Item &i : g.items)
            if (i.stroke.layer == layer)
                return true;
    return false;
}

} // namespace

TEST(TankSketches, GeometryIsDrawnToTheTypedProportionsAndDimensioned)
{
    // A long low narrow tank (a = 8, b = 1, h = 5): the front face is 8 wide and 5 high.
    const draw::Scene s = GeometrySketch({ 8, 1, 5, 4.5f }, kBR);
    const draw::Group *g = s.findGroup("Caixa");
    ASSERT_NE(g, nullptr);
    bool found = false;
    for (const draw::Item &i : g->items) {
        const auto *p = std::get_if<draw::Polyline>(&i.shape);
        if (p && p->closed && i.stroke.layer == "Contorno" && p->points.size() == 4) {
            EXPECT_DOUBLE_EQ(p->points[2].x - p->points[0].x, 8.0);
            EXPECT_DOUBLE_EQ(p->points[2].y - p->points[0].y, 5.0);
            found = true;
            break;
        }
    }
    EXPECT_TRUE(found);
    EXPECT_EQ(dimensionTexts(s),
              (std::vector<std::string>{ "a = 8 m", "b = 1 m", "h = 5 m", "hn = 4,5 m" }));
    // The water reaches hn on the front face and no higher than the box.
    const draw::Bounds waterBox = layerBounds(s, "Agua");
    EXPECT_DOUBLE_EQ(waterBox.min.y, 0.0);
    EXPECT_LT(waterBox.max.y, 5.0 + 0.5); // hn plus the oblique rise of the depth 1 × 0.25
    EXPECT_TRUE(s.note.empty());

    // An empty tank has no water drawn and the hn dimension is left out.
    const draw::Scene empty = GeometrySketch({ 2.79f, 2.56f, 2.61f, 0 }, kBR);
    EXPECT_FALSE(hasStroke(empty, "Agua"));
    EXPECT_EQ(dimensionTexts(empty).size(), 3u);

    EXPECT_EQ(GeometrySketch({ 2.79f, 2.56f, 2.61f, 2.41f }, kBR, true).note, kStaleNote);
}

TEST(TankSketches, LidPlanPlacesTheHatchAtItsBasePoint)
{
    const draw::Scene s = LidSketch({ 2.79f, 2.56f, 1, 0.8f, 1.2f, 0.5f, 50 }, kBR);
    const draw::Group *g = s.findGroup("Tampa");
    ASSERT_NE(g, nullptr);
    const draw::Region *hatch = nullptr;
    for (const draw::Item &i : g->items) {
        const auto *r = std::get_if<draw::Region>(&i.shape);
        if (r && r->fill == draw::Fill::CrossHatch)
            hatch = r;
    }
    ASSERT_NE(hatch, nullptr);
    EXPECT_NEAR(hatch->outline[0].x, 1.2, 1e-6);
    EXPECT_NEAR(hatch->outline[0].y, 0.5, 1e-6);
    EXPECT_NEAR(hatch->outline[2].x, 2.2, 1e-6);
    EXPECT_NEAR(hatch->outline[2].y, 1.3, 1e-6);
    EXPECT_EQ(dimensionTexts(s),
              (std::vector<std::string>{ "a = 2,79 m", "b = 2,56 m", "Lx = 1,2 m", "X = 1 m",
                                         "Ly = 0,5 m", "Y = 0,8 m" }));
    EXPECT_NE(std::find(labelTexts(s).begin(), labelTexts(s).end(), "qA = 50 kgf/m²"),
              labelTexts(s).end());
    // A hatch at the corner (Lx = Ly = 0) has no zero-length dimensions.
    EXPECT_EQ(dimensionTexts(LidSketch({ 2, 2, 1, 1, 0, 0, 0 }, kBR)).size(), 4u);
}

TEST(TankSketches, BuriedSectionShowsGroundWaterOnlyWhenThereIsSome)
{
    BuriedValues v{ 2.56f, 2.61f, 2.41f, 1.52f, 100, true, 0.75f, 1.6f, 28, 3 };
    const draw::Scene with = BuriedSketch(v, kBR);
    const auto labels = labelTexts(with);
    EXPECT_NE(std::find(labels.begin(), labels.end(), "NA"), labels.end());
    EXPECT_NE(std::find(labels.begin(), labels.end(), "qt = 100 kgf/m²"), labels.end());
    EXPECT_NE(std::find(labels.begin(), labels.end(), "γ = 1,6 tf/m³   φ = 28º"), labels.end());
    EXPECT_EQ(dimensionTexts(with),
              (std::vector<std::string>{ "b = 2,56 m", "ht = 1,52 m", "h = 2,61 m",
                                         "hna = 0,75 m" }));
    // The ground surface meets the wall at ht and rises away from it.
    const draw::Bounds ground = layerBounds(with, "Solo");
    EXPECT_GT(ground.max.y, 1.52);

    v.groundWater = false;
    v.hna = 0;
    v.qt = 0;
    const draw::Scene dry = BuriedSketch(v, kBR);
    const auto dryLabels = labelTexts(dry);
    EXPECT_EQ(std::find(dryLabels.begin(), dryLabels.end(), "NA"), dryLabels.end());
    EXPECT_EQ(dimensionTexts(dry),
              (std::vector<std::string>{ "b = 2,56 m", "ht = 1,52 m", "h = 2,61 m" }));
    int arrows = 0;
    for (const draw::Item &i : dry.groups.front().items)
        arrows += std::holds_alternative<draw::Arrow>(i.shape);
    EXPECT_EQ(arrows, 0);
}

TEST(TankSketches, KindPicturesHighlightTheChosenOne)
{
    auto framed = [](const draw::Scene &s) {
        for (const draw::Item &i : s.groups.front().items)
            if (i.stroke.color == 5 && std::holds_alternative<draw::Polyline>(i.shape)
                && std::get<draw::Polyline>(i.shape).points.front().y < -1.5)
                return true;
        return false;
    };
    EXPECT_TRUE(framed(ElevatedTankSketch(true)));
    EXPECT_FALSE(framed(ElevatedTankSketch(false)));
    EXPECT_TRUE(framed(BuriedTankSketch(true)));
    EXPECT_EQ(BuriedTankSketch(false).groups.front().name, "Enterrado");
}

TEST(TankSketches, ReadersRefuseWhatNoBoxCanShowAndTheLastDrawableStays)
{
    FormModel geometry = MakeFormDadosGeometricos();
    FormModel lid = MakeFormPosTampa();
    FormModel buried = MakeFormDadosEnterrada();
    LastDrawable<GeometryValues> picture;
    ASSERT_TRUE(ReadGeometry(geometry));
    EXPECT_FLOAT_EQ(picture.update(ReadGeometry(geometry)).a, 2.79f);
    EXPECT_FALSE(picture.stale);

    const struct
    {
        const char *control;
        const char *text;
        bool drawable;
    } cases[] = {
        { "Text_b", "3", false }, // b > a
        { "Text_a", "", false }, // an emptied side
        { "Text_hn", "2.7", false }, // water above the box
        { "Text_hn", "0", true }, // an empty tank
        { "Text_a", "8", true },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.control) + "=" + c.text);
        FormModel f = MakeFormDadosGeometricos();
        f.setText(c.control, c.text);
        EXPECT_EQ(ReadGeometry(f).has_value(), c.drawable);
    }

    // A field marked out of its limits is not drawn, and the last picture is kept.
    geometry.setText("Text_a", "60");
    geometry.setError("Text_a", true);
    EXPECT_FLOAT_EQ(picture.update(ReadGeometry(geometry)).a, 2.79f);
    EXPECT_TRUE(picture.stale);
    EXPECT_FALSE(ReadLid(geometry, lid));

    FormModel g2 = MakeFormDadosGeometricos();
    ASSERT_TRUE(ReadLid(g2, lid));
    lid.setText("Text_Lx", "1.80"); // 1.80 + 1 > 2.79
    EXPECT_FALSE(ReadLid(g2, lid));

    ASSERT_TRUE(ReadBuried(g2, buried));
    EXPECT_TRUE(ReadBuried(g2, buried)->groundWater);
    buried.setState("Checkhna", 0);
    buried.setText("Texthna", "");
    const auto dry = ReadBuried(g2, buried);
    ASSERT_TRUE(dry);
    EXPECT_FALSE(dry->groundWater);
    buried.setText("Textht", "3"); // above h
    EXPECT_FALSE(ReadBuried(g2, buried));
}
