#include "cad/EditorPreview.h"

namespace EditorPreview {

using namespace draw;

Scene Build(bool longitudinal, const std::array<bool, 4> &checks, const std::string &description)
{
    Scene scene;
    scene.layer("Armaduras", 1, LineType::Continuous, 0.5);
    // Dark colours: the preview is on white, where the platform's yellow or green would vanish.
    scene.layer("Texto das Armaduras", 7);
    scene.layer("Cotas", 5);
    scene.layer("Relação de Aço", 7);
    scene.layer("Formas", 8);
    Group &g = scene.group("preview");
    const Stroke bar{ "Armaduras" };
    const Stroke text{ "Texto das Armaduras" };
    const bool schedule = checks[0];
    const bool number = longitudinal && checks[1];
    const bool label = checks[2];
    const bool dimension = longitudinal && checks[3];

    // The member the bars lie in, in light lines.
    g.add(Polyline{ { { -10, -25 }, { 110, -25 }, { 110, 25 }, { -10, 25 } }, true },
          Stroke{ "Formas" });
    if (longitudinal) {
        // One bar along the member with its hooks.
        g.add(Polyline{ { { 0, 12 }, { 0, 0 }, { 100, 0 }, { 100, 12 } }, false }, bar);
    } else {
        // Bars in section across the member.
        for (int i = 0; i < 6; ++i)
            g.add(Circle{ { 5.0 + 18.0 * i, 0 }, 2.2, true }, bar);
        g.add(Line{ { 5, 0 }, { 95, 0 } }, Stroke{ "Formas", 8, LineType::Dashed });
    }
    if (label || number) {
        g.add(Line{ { 50, 0 }, { 50, 38 } }, text);
    }
    if (number) {
        g.add(Circle{ { 50, 44 }, 6, false }, text);
        g.add(Text{ { 50, 44 }, "N", 6, false, HAlign::Center, VAlign::Middle, 0, {} }, text);
    }
    if (label) {
        const double x = number ? 58 : 52;
        const double y = number ? 44.0 : 40.0;
        g.add(Text{ { x, y }, description, 5.5, false, HAlign::Left, VAlign::Middle, 0, {} }, text);
    }
    if (dimension)
        g.add(Dimension{ { 0, -25 }, { 100, -25 }, -10, "100", 5, false, Tick::Oblique, 3 },
              Stroke{ "Cotas" });
    if (schedule) {
        // A row of the bar schedule.
        const Stroke table{ "Relação de Aço" };
        g.add(Polyline{ { { 120, -20 }, { 170, -20 }, { 170, 20 }, { 120, 20 } }, true }, table);
        for (double y : { 10.0, 0.0, -10.0 })
            g.add(Line{ { 120, y }, { 170, y } }, table);
        g.add(Line{ { 135, -20 }, { 135, 20 } }, table);
        g.add(Text{ { 145, 15 }, "Aço", 5, false, HAlign::Center, VAlign::Middle, 0, {} }, table);
    }
    return scene;
}

} // namespace EditorPreview
