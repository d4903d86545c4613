#include "draw/Scene.h"
#include "draw/CadColors.h"
#include "draw/ScenePainter.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

TEST(Scene, BoundsFollowGroupsAsPlacedAndIgnoreFixedSizeAnnotations)
{
    draw::Scene scene;
    draw::Group &plan = scene.group("plan");
    plan.add(draw::Line{ { 0, 0 }, { 2, 1 } }, { "Formas" });
    plan.add(draw::Text{ .at = { 1, 0.5 },
                         .text = "a = 2,00 m",
                         .height = 12,
                         .fixedSize = true,
                         .style = {} },
             { "Texto" });
    draw::Group &section = scene.group("section");
    section.insert = { 10, 0 };
    section.scale = 0.5;
    section.add(draw::Circle{ { 0, 0 }, 2 }, { "Formas" });
    EXPECT_EQ(&scene.group("plan"), &plan) << "a group is found by its name, not made twice";

    const draw::Bounds b = scene.bounds();
    EXPECT_DOUBLE_EQ(b.min.x, 0);
    EXPECT_DOUBLE_EQ(b.min.y, -1);
    EXPECT_DOUBLE_EQ(b.max.x, 11);
    EXPECT_DOUBLE_EQ(b.max.y, 1);
}

TEST(CadColors, NamedColoursAndThePalette)
{
    const struct
    {
        int index;
        int r, g, b;
        const char *name;
    } cases[] = {
        { 1, 255, 0, 0, "Vermelho" }, { 2, 255, 255, 0, "Amarelo" }, { 3, 0, 255, 0, "Verde" },
        { 4, 0, 255, 255, "Ciano" },  { 5, 0, 0, 255, "Azul" },      { 6, 255, 0, 255, "Magenta" },
        { 7, 0, 0, 0, "Preto" },      { 10, 255, 0, 0, "" },         { 11, 255, 128, 128, "" },
        { 250, 51, 51, 51, "" },      { 255, 255, 255, 255, "" },    { 0, 0, 0, 0, "" },
        { 300, 0, 0, 0, "" },
    };
    for (const auto &c : cases) {
        const CadColors::Rgb rgb = CadColors::rgbOf(c.index);
        EXPECT_EQ(rgb.r, c.r) << c.index;
        EXPECT_EQ(rgb.g, c.g) << c.index;
        EXPECT_EQ(rgb.b, c.b) << c.index;
        EXPECT_EQ(CadColors::nameOf(c.index), c.name) << c.index;
    }
}

TEST(ScenePainter, FitsTheSceneWithYUpwardsAndSkipsHiddenLayers)
{
    draw::Scene scene;
    scene.layer("Formas", 1);
    scene.layer("Oculta", 5).visible = false;
    draw::Group &g = scene.group("box");
    // A thin horizontal line at the top of a 4 x 2 box: on the device it must be near the top.
    g.add(draw::Polyline{ { { 0, 0 }, { 4, 0 }, { 4, 2 }, { 0, 2 } }, true }, { "Formas" });
    g.add(draw::Region{ { { 0, 0 }, { 1, 0 }, { 1, 1 }, { 0, 1 } } }, { "Oculta" });

    QImage image(400, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        draw::ScenePainter::paintFitted(painter, scene, QRectF(0, 0, 400, 200),
                                        { false, 0.0, true });
    }
    EXPECT_EQ(QColor(image.pixel(200, 0)).red(), 255);
    EXPECT_LT(QColor(image.pixel(200, 0)).green(), 128) << "the top edge is red, at the top";
    EXPECT_EQ(image.pixel(50, 150), QColor(Qt::white).rgb()) << "a hidden layer draws nothing";
}

} // namespace
