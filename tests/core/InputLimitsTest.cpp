#include "core/CalcContext.h"
#include "core/InputStatusView.h"
#include "core/ModuleRSVErr.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

using namespace ModuleRSVErr;

// Readable failures: the code and the message instead of the record's bytes.
void PrintTo(const InputError &e, std::ostream *os)
{
    *os << "{" << e.code << ", \"" << e.message << "\"}";
}

namespace {

/// The status bar as the engine sees it: every result it was told, in order.
class RecordingStatusView : public InputStatusView
{
public:
    void ShowInputStatus(const InputError &status) override { shown.push_back(status); }
    std::vector<InputError> shown;
};

enum class Window { Geometry, Lid, Buried, Settings, Review, Cad };

struct FieldText
{
    Window window;
    const char *control;
    const char *text;
};

/// A context with the windows' load-time fields, the thickness review's and the CAD drawing
/// settings' fields, and a recording status bar.
struct Bench
{
    Bench()
        : ctx(std::make_unique<FixedRegionalSettings>(FixedRegionalSettings::ptBR())),
          review("FormAltera_e"),
          cad("FormCADCfg")
    {
        review.addField("Text_e");
        for (const char *name :
             { "NumberBox1", "NumberBox2", "NumberBox3", "Text6", "Text7", "Text8" })
            cad.addField(name);
        ctx.setStatusView(&view);
    }

    FormModel &form(Window w)
    {
        switch (w) {
        case Window::Geometry:
            return ctx.forms.FormDadosGeometricos;
        case Window::Lid:
            return ctx.forms.FormPosTampa;
        case Window::Buried:
            return ctx.forms.FormDadosEnterrada;
        case Window::Settings:
            return ctx.forms.FormCFG;
        case Window::Review:
            return review;
        case Window::Cad:
            return cad;
        }
        return cad;
    }

    void set(std::initializer_list<FieldText> fields)
    {
        for (const auto &f : fields)
            form(f.window).setText(f.control, f.text);
    }

    InputError check(Window w, const char *control) { return CheckField(ctx, form(w), control); }

    CalcContext ctx;
    FormModel review;
    FormModel cad;
    RecordingStatusView view;
};

struct LimitCase
{
    Window window;
    const char *control;
    const char *text;
    std::vector<FieldText> others;
    int code;
    const char *message;
};

// One row per code, lower and upper bound of every field, messages as the user reads them under
// Brazilian settings: stem + limit in regional notation + suffix. Bounds that depend on another
// field use the windows' load-time values (a 2.79, b 2.56, h 2.61, X 1, Y 1, ht 1.52, φ 28)
// unless the row sets others. Rows marked "worked" are the limit rules' own examples.
// clang-format off
const std::vector<LimitCase> kLimitCases = {
    { Window::Geometry, "Text_a", "0.49", {}, 1,
      "Largura da caixa abaixo do limite permitido [ 0,5m ]" },
    { Window::Geometry, "Text_a", "50.01", {}, 2,
      "Largura da caixa acima do limite permitido [ 50m ]" },
    { Window::Geometry, "Text_b", "0.4", {}, 3,
      "Comprimento da caixa abaixo do limite permitido [ 0,5m ]" },
    // worked: b = 3 with a typed as 2,79
    { Window::Geometry, "Text_b", "3", { { Window::Geometry, "Text_a", "2,79" } }, 4,
      "Comprimento da caixa acima do limite permitido [ 2,79m ]" },
    { Window::Geometry, "Text_h", "0.49", {}, 5,
      "Altura da caixa abaixo do limite permitido [ 0,5m ]" },
    // worked: 10 passes, 10.01 does not
    { Window::Geometry, "Text_h", "10.01", {}, 6,
      "Altura da caixa acima do limite permitido [ 10m ]" },
    { Window::Geometry, "Text_hn", "-0.01", {}, 7,
      "Altura do nível d'água abaixo do limite permitido [ 0m ]" },
    { Window::Geometry, "Text_hn", "2.62", {}, 8,
      "Altura do nível d'água acima do limite permitido [ 2,61m ]" },
    { Window::Lid, "Text_X", "0.29", {}, 9,
      "Largura da tampa abaixo do limite permitido [ 0,3m ]" },
    { Window::Lid, "Text_X", "2.8", {}, 10,
      "Largura da tampa acima do limite permitido [ 2,79m ]" },
    { Window::Lid, "Text_Y", "0.2", {}, 11,
      "Altura da tampa abaixo do limite permitido [ 0,3m ]" },
    { Window::Lid, "Text_Y", "2.57", {}, 12,
      "Altura da tampa acima do limite permitido [ 2,56m ]" },
    { Window::Lid, "Text_Lx", "-0.5", {}, 13,
      "Ponto base horizontal da tampa abaixo do limite permitido [ 0m ]" },
    // worked: Lx = 2 with a = 2.79 and X = 1; the bound shown is a − X
    { Window::Lid, "Text_Lx", "2", {}, 14,
      "Ponto base horizontal da tampa acima do limite permitido [ 1,79m ]" },
    { Window::Lid, "Text_Ly", "-1", {}, 15,
      "Ponto base vertical da tampa abaixo do limite permitido [ 0m ]" },
    { Window::Lid, "Text_Ly", "1.57", {}, 16,
      "Ponto base vertical da tampa acima do limite permitido [ 1,56m ]" },
    { Window::Lid, "TextqA", "-1", {}, 17,
      "Sobrecarga na tampa abaixo do limite permitido [ 0kgf/m² ]" },
    { Window::Lid, "TextqA", "1001", {}, 18,
      "Sobrecarga na tampa acima do limite permitido [ 1000kgf/m² ]" },
    // worked: the lower bound of ht has no unit
    { Window::Buried, "Textht", "0", {}, 19,
      "Altura a partir da qual a caixa será enterrada abaixo do limite permitido [ 0,01 ]" },
    { Window::Buried, "Textht", "2.62", {}, 20,
      "Altura a partir da qual a caixa será enterrada acima do limite permitido [ 2,61m ]" },
    { Window::Buried, "Textqt", "-1", {}, 21,
      "Sobrecarga no terreno abaixo do limite permitido [ 0kgf/m² ]" },
    { Window::Buried, "Textqt", "1001", {}, 22,
      "Sobrecarga no terreno acima do limite permitido [ 1000kgf/m² ]" },
    { Window::Buried, "Texthna", "-0.01", {}, 23,
      "Altura do NA no lençol abaixo do limite permitido [ 0m ]" },
    { Window::Buried, "Texthna", "1.6", {}, 24,
      "Altura do NA no lençol acima do limite permitido [ 1,52m ]" },
    { Window::Buried, "TextGama", "0.49", {}, 25,
      "Peso específico do solo abaixo do limite permitido [ 0,5tf/m³ ]" },
    { Window::Buried, "TextGama", "2.01", {}, 26,
      "Peso específico do solo acima do limite permitido [ 2tf/m³ ]" },
    { Window::Buried, "TextAngSolo", "9", {}, 27,
      "Ângulo de talude natural abaixo do limite permitido [ 10º ]" },
    { Window::Buried, "TextAngSolo", "51", {}, 28,
      "Ângulo de talude natural acima do limite permitido [ 50º ]" },
    { Window::Buried, "TextAngTerreno", "-1", {}, 29,
      "Ângulo de inclinação adjacente abaixo do limite permitido [ 0º ]" },
    { Window::Buried, "TextAngTerreno", "51", { { Window::Buried, "TextAngSolo", "50" } }, 30,
      "Ângulo de inclinação adjacente acima do limite permitido [ 50º ]" },
    { Window::Settings, "RSVCFGESPMULT", "0.9", {}, 31,
      "Espaçamento múltiplo de As abaixo do limite permitido [ 1cm ]" },
    { Window::Settings, "RSVCFGESPMULT", "10.1", {}, 32,
      "Espaçamento múltiplo de As acima do limite permitido [ 10cm ]" },
    { Window::Settings, "RSVCFGESPMAXAS", "9.9", {}, 33,
      "Espaçamento máximo de As abaixo do limite permitido [ 10cm ]" },
    { Window::Settings, "RSVCFGESPMAXAS", "100", {}, 34,
      "Espaçamento máximo de As acima do limite permitido [ 99,9cm ]" },
    { Window::Settings, "RSVCFGESPMINAS", "0.9", {}, 35,
      "Espaçamento mínimo de As abaixo do limite permitido [ 1cm ]" },
    { Window::Settings, "RSVCFGESPMINAS", "100", {}, 36,
      "Espaçamento mínimo de As acima do limite permitido [ 99,9cm ]" },
    { Window::Settings, "RSVMELESPAS", "0.5", {}, 37,
      "Melhor espaçamento de As abaixo do limite permitido [ 1cm ]" },
    { Window::Settings, "RSVMELESPAS", "99.95", {}, 38,
      "Melhor espaçamento de As acima do limite permitido [ 99,9cm ]" },
    { Window::Settings, "RSVESPMINPAR", "4", {}, 39,
      "Espessura mínima da Parede abaixo do limite permitido [ 5cm ]" },
    { Window::Settings, "RSVESPMINPAR", "100", {}, 40,
      "Espessura mínima da Parede acima do limite permitido [ 99cm ]" },
    { Window::Settings, "RSVCFGSECASMIN", "0", {}, 41,
      "Porcentagem da seção para Cálculo do Asmin abaixo do limite permitido [ 0,01% ]" },
    { Window::Settings, "RSVCFGSECASMIN", "1", {}, 42,
      "Porcentagem da seção para Cálculo do Asmin acima do limite permitido [ 0,99% ]" },
    { Window::Settings, "RSVPORCTAMASEST", "0", {}, 43,
      "Porcentagem da maior dimensão para armadura de canto abaixo do limite permitido [ 1% ]" },
    { Window::Settings, "RSVPORCTAMASEST", "101", {}, 44,
      "Porcentagem da maior dimensão para armadura de canto acima do limite permitido [ 100% ]" },
    { Window::Settings, "RSVCHAMFPAR", "-1", {}, 45,
      "Chanfro da parede da caixa abaixo do limite permitido [ 0cm ]" },
    { Window::Settings, "RSVCHAMFPAR", "1000", {}, 46,
      "Chanfro da parede da caixa acima do limite permitido [ 999cm ]" },
    { Window::Settings, "RSVCHAMFFUND", "-1", {}, 47,
      "Chanfro do fundo da caixa abaixo do limite permitido [ 0cm ]" },
    { Window::Settings, "RSVCHAMFFUND", "1000", {}, 48,
      "Chanfro do fundo da caixa acima do limite permitido [ 999cm ]" },
    { Window::Settings, "RSVCFGACOMIN", "0.99", {}, 49,
      "Coeficiente de minoração da resistência do aço abaixo do limite permitido [ 1 ]" },
    { Window::Settings, "RSVCFGACOMIN", "3.01", {}, 50,
      "Coeficiente de minoração da resistência do aço acima do limite permitido [ 3 ]" },
    { Window::Settings, "RSVABMAXFISS", "0.09", {}, 51,
      "Abertura máxima de fissura abaixo do limite permitido [ 0,1mm ]" },
    { Window::Settings, "RSVABMAXFISS", "0.91", {}, 52,
      "Abertura máxima de fissura acima do limite permitido [ 0,9mm ]" },
    // worked: fck 49
    { Window::Settings, "RSVCFGCONCFCK", "49", {}, 53,
      "FCK do concreto abaixo do limite permitido [ 50kgfcm² ]" },
    { Window::Settings, "RSVCFGCONCFCK", "701", {}, 54,
      "FCK do concreto acima do limite permitido [ 700kgfcm² ]" },
    { Window::Settings, "RSVCFGCONCPESESP", "0.9", {}, 55,
      "Peso específico do concreto abaixo do limite permitido [ 1tf/m³ ]" },
    { Window::Settings, "RSVCFGCONCPESESP", "5.1", {}, 56,
      "Peso específico do concreto acima do limite permitido [ 5tf/m³ ]" },
    { Window::Settings, "RSVCFGMAJCARGAS", "0.5", {}, 57,
      "Coeficiente de majoração das cargas abaixo do limite permitido [ 1 ]" },
    { Window::Settings, "RSVCFGMAJCARGAS", "3.5", {}, 58,
      "Coeficiente de majoração das cargas acima do limite permitido [ 3 ]" },
    { Window::Settings, "RSVCFGCONCMIN", "0.99", {}, 59,
      "Coeficiente de minoração da resistência do concreto abaixo do limite permitido [ 1 ]" },
    { Window::Settings, "RSVCFGCONCMIN", "3.01", {}, 60,
      "Coeficiente de minoração da resistência do concreto acima do limite permitido [ 3 ]" },
    { Window::Settings, "RSVCFGCOBMIN", "0.4", {}, 61,
      "Cobertura mínima abaixo do limite permitido [ 0,5cm ]" },
    { Window::Settings, "RSVCFGCOBMIN", "100", {}, 62,
      "Cobertura mínima acima do limite permitido [ 99,9cm ]" },
    { Window::Settings, "RSVH20PESESP", "0.9", {}, 63,
      "Peso específico da água abaixo do limite permitido [ 1tf/m³ ]" },
    { Window::Settings, "RSVH20PESESP", "5.1", {}, 64,
      "Peso específico da água acima do limite permitido [ 5tf/m³ ]" },
    { Window::Review, "Text_e", "0", {}, 65,
      "Espessura abaixo do limite permitido [ 0,01m ]" },
    { Window::Review, "Text_e", "10", {}, 66,
      "Espessura acima do limite permitido [ 9,99m ]" },
    { Window::Cad, "NumberBox3", "0.99", {}, 67,
      "Distância da Cota ao Desenho abaixo do limite permitido [ 1 ]" },
    { Window::Cad, "NumberBox3", "10000", {}, 68,
      "Distância da Cota ao Desenho acima do limite permitido [ 9999,99 ]" },
    { Window::Cad, "Text6", "0.09", {}, 69,
      "Fi para desenho das As transversais abaixo do limite permitido [ 0,1mm ]" },
    { Window::Cad, "Text6", "999.1", {}, 70,
      "Fi para desenho das As transversais acima do limite permitido [ 999mm ]" },
    { Window::Cad, "Text7", "0", {}, 71,
      "Altura do desenho do corte da tampa abaixo do limite permitido [ 1cm ]" },
    { Window::Cad, "Text7", "10000", {}, 72,
      "Altura do desenho do corte da tampa acima do limite permitido [ 9999cm ]" },
    { Window::Cad, "Text8", "-1", {}, 73,
      "Porcentagem para posição dos textos de As abaixo do limite permitido [ 0% ]" },
    { Window::Cad, "Text8", "101", {}, 74,
      "Porcentagem para posição dos textos de As acima do limite permitido [ 100% ]" },
    // Both drawing-area limits share one row.
    { Window::Cad, "NumberBox1", "0", {}, 75,
      "Limite da área de desenho abaixo do limite permitido [ 1 ]" },
    { Window::Cad, "NumberBox2", "0.5", {}, 75,
      "Limite da área de desenho abaixo do limite permitido [ 1 ]" },
    { Window::Cad, "NumberBox1", "100001", {}, 76,
      "Limite da área de desenho acima do limite permitido [ 100000 ]" },
    { Window::Cad, "NumberBox2", "100001", {}, 76,
      "Limite da área de desenho acima do limite permitido [ 100000 ]" },
};
// clang-format on

TEST(InputLimits, EveryBoundWithItsMessage)
{
    std::vector<bool> seen(77, false);
    for (const LimitCase &c : kLimitCases) {
        SCOPED_TRACE(std::string(c.control) + " = " + c.text);
        Bench fresh; // each row starts from the windows' load-time values
        for (const FieldText &o : c.others)
            fresh.form(o.window).setText(o.control, o.text);
        fresh.form(c.window).setText(c.control, c.text);

        const InputError r = fresh.check(c.window, c.control);
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.message, c.message);
        EXPECT_TRUE(fresh.form(c.window).error(c.control));
        // The CAD drawing settings window shows its limits on its own button, never in the
        // main window's status bar.
        if (c.window == Window::Cad) {
            EXPECT_TRUE(fresh.view.shown.empty());
        } else {
            ASSERT_EQ(fresh.view.shown.size(), 1u);
            EXPECT_EQ(fresh.view.shown.back(), r);
        }
        // A field check reports; only the window checks and SetInputError make it pending.
        EXPECT_EQ(GetInputError(fresh.ctx), noError);
        seen[c.code] = true;
    }
    for (int code = 1; code <= 76; ++code)
        EXPECT_TRUE(seen[code]) << "no case for code " << code;
}

TEST(InputLimits, ValuesOnTheirBoundsPass)
{
    const struct
    {
        Window window;
        const char *control;
        const char *text;
        std::vector<FieldText> others;
        const char *why;
    } cases[] = {
        { Window::Geometry, "Text_hn", "0", {}, "an empty tank" },
        { Window::Geometry, "Text_h", "10", {}, "the upper bound itself" },
        { Window::Geometry, "Text_b", "2,79", {}, "b = a, typed with a comma" },
        { Window::Lid, "Text_Lx", "1.79", {}, "Lx = a − X exactly" },
        // 1.2 − 1 is 0.19999999999999996 in binary; the bound is compared as the 0.2 it shows.
        { Window::Lid,
          "Text_Ly",
          "0.2",
          { { Window::Geometry, "Text_b", "1.2" } },
          "Ly = b − Y with a difference that is not exact in binary" },
        { Window::Lid, "TextqA", "1000", {}, "qA at its upper bound" },
        { Window::Buried, "Textqt", "0", {}, "no ground surcharge" },
        { Window::Buried, "Texthna", "1.52", {}, "hna = ht" },
        { Window::Buried, "Texthna", "", {}, "hna emptied by clearing the ground-water box" },
        { Window::Buried, "TextAngTerreno", "0", {}, "level ground" },
        { Window::Settings, "RSVCFGSECASMIN", "0.99", {}, "a bound that is not exact in binary" },
        { Window::Cad, "NumberBox2", "100000", {}, "the largest drawing area" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        Bench fresh;
        for (const FieldText &o : c.others)
            fresh.form(o.window).setText(o.control, o.text);
        fresh.form(c.window).setText(c.control, c.text);
        fresh.form(c.window).setError(c.control, true); // painted red by an earlier check
        EXPECT_EQ(fresh.check(c.window, c.control), noError);
        EXPECT_FALSE(fresh.form(c.window).error(c.control));
    }
}

TEST(InputLimits, EmptyAndNonNumericTextFailTheLowerBound)
{
    Bench b;
    // The empty text reads as 0.
    b.set({ { Window::Geometry, "Text_a", "" } });
    EXPECT_EQ(b.check(Window::Geometry, "Text_a").code, 1);

    // Text that is not a number is refused with the lower bound's code and message, instead of
    // being read as some number (or stopping the program).
    const struct
    {
        Window window;
        const char *control;
        const char *text;
        int code;
        const char *message;
    } cases[] = {
        { Window::Geometry, "Text_a", "2,7,9", 1,
          "Largura da caixa abaixo do limite permitido [ 0,5m ]" },
        { Window::Lid, "TextqA", "cinquenta", 17,
          "Sobrecarga na tampa abaixo do limite permitido [ 0kgf/m² ]" },
        { Window::Settings, "RSVCFGCONCFCK", "1.500,0", 53,
          "FCK do concreto abaixo do limite permitido [ 50kgfcm² ]" },
        { Window::Cad, "NumberBox3", "12 cm", 67,
          "Distância da Cota ao Desenho abaixo do limite permitido [ 1 ]" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        b.form(c.window).setText(c.control, c.text);
        const InputError r = b.check(c.window, c.control);
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.message, c.message);
        EXPECT_TRUE(b.form(c.window).error(c.control));
    }
}

TEST(InputLimits, BoundFromAFieldThatIsNotANumber)
{
    Bench b;
    // Text_b cannot be compared with an unreadable Text_a: it fails its upper bound, and the
    // message shows no number rather than a made-up one; Text_a reports its own error first in
    // the window.
    b.set({ { Window::Geometry, "Text_a", "2,7,9" }, { Window::Geometry, "Text_b", "2" } });
    const InputError r = b.check(Window::Geometry, "Text_b");
    EXPECT_EQ(r.code, 4);
    EXPECT_EQ(r.message, "Comprimento da caixa acima do limite permitido [ m ]");
    EXPECT_EQ(CheckGeometryWindow(b.ctx).code, 1);

    b.set({ { Window::Lid, "Text_X", "um" }, { Window::Lid, "Text_Lx", "0.5" } });
    EXPECT_EQ(b.check(Window::Lid, "Text_Lx").code, 14);

    // A base-point room beyond the double range (texts from a file, never typed) is no number
    // either, not a calculation error.
    b.set({ { Window::Geometry, "Text_a", "1e308" }, { Window::Lid, "Text_X", "-1e308" } });
    EXPECT_EQ(b.check(Window::Lid, "Text_Lx").message,
              "Ponto base horizontal da tampa acima do limite permitido [ m ]");
}

TEST(InputLimits, GroundSlopeNoSteeperThanTheNaturalSlope)
{
    Bench b;
    // Beyond the soil's natural slope the earth-pressure coefficient has no real value, so the
    // slope's upper bound is the smaller of 50 and φ, shown like the other field bounds.
    const struct
    {
        const char *phi;
        const char *slope;
        int code;
        const char *message;
    } cases[] = {
        { "28", "28", 0, "" },
        { "28", "29", 30, "Ângulo de inclinação adjacente acima do limite permitido [ 28º ]" },
        { "32,5", "33", 30, "Ângulo de inclinação adjacente acima do limite permitido [ 32,5º ]" },
        { "55", "50", 0, "" }, // φ itself too large: the constant bound still holds
        { "55", "51", 30, "Ângulo de inclinação adjacente acima do limite permitido [ 50º ]" },
        { "vinte", "50", 0, "" }, // φ not a number: 50, and φ reports its own error
        { "vinte", "51", 30, "Ângulo de inclinação adjacente acima do limite permitido [ 50º ]" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.phi) + " / " + c.slope);
        b.set({ { Window::Buried, "TextAngSolo", c.phi },
                { Window::Buried, "TextAngTerreno", c.slope } });
        const InputError r = b.check(Window::Buried, "TextAngTerreno");
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.message, c.message);
    }

    // In the window φ comes first, so its own error is the one reported.
    b.set({ { Window::Buried, "TextAngSolo", "55" }, { Window::Buried, "TextAngTerreno", "51" } });
    EXPECT_EQ(CheckBuriedWindow(b.ctx).code, 28);
}

TEST(InputLimits, MessagesFollowTheRegionalDecimalSymbol)
{
    Bench b;
    b.ctx.setRegional(std::make_unique<FixedRegionalSettings>(FixedRegionalSettings::enUS()));
    b.set({ { Window::Geometry, "Text_a", "2,79" }, { Window::Geometry, "Text_b", "3" } });
    EXPECT_EQ(b.check(Window::Geometry, "Text_b").message,
              "Comprimento da caixa acima do limite permitido [ 2.79m ]");
}

TEST(InputLimits, GeometryWindowReportsTheFirstFieldInOrder)
{
    Bench b;
    // worked: a = 60 and b = 70 break both; a comes first, and b's error appears once a is
    // corrected.
    b.set({ { Window::Geometry, "Text_a", "60" }, { Window::Geometry, "Text_b", "70" } });
    FormModel &g = b.ctx.forms.FormDadosGeometricos;
    g.setState("butarw_3", 2); // hover picture left on the back button

    InputError r = CheckGeometryWindow(b.ctx);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.message, "Largura da caixa acima do limite permitido [ 50m ]");
    EXPECT_EQ(GetInputError(b.ctx), r);
    EXPECT_EQ(g.state("butarw_2"), 0);
    EXPECT_EQ(g.state("butarw_3"), 1);
    EXPECT_TRUE(g.error("Text_a"));
    EXPECT_EQ(b.view.shown.back(), r);

    g.setText("Text_a", "2.79");
    r = CheckGeometryWindow(b.ctx);
    EXPECT_EQ(r.code, 4);
    EXPECT_EQ(r.message, "Comprimento da caixa acima do limite permitido [ 2,79m ]");
    EXPECT_FALSE(g.error("Text_a"));
    EXPECT_TRUE(g.error("Text_b"));
    EXPECT_EQ(g.state("butarw_2"), 0);
    EXPECT_EQ(b.view.shown.back(), r);

    g.setText("Text_b", "2.56");
    EXPECT_EQ(CheckGeometryWindow(b.ctx), noError);
    EXPECT_EQ(GetInputError(b.ctx), noError);
    EXPECT_EQ(g.state("butarw_2"), 1);
    EXPECT_FALSE(g.error("Text_b"));
    EXPECT_EQ(b.view.shown.back(), noError);
}

TEST(InputLimits, LidWindowAfterTheGeometryShrinks)
{
    Bench b;
    FormModel &lid = b.ctx.forms.FormPosTampa;
    EXPECT_EQ(CheckLidWindow(b.ctx), noError); // the load-time values fit the default geometry
    EXPECT_EQ(lid.state("butarw_2"), 1);

    // a and b reduced to 1.2 after the lid was filled: X and Y still fit, the base points do
    // not, and Lx is reported before Ly.
    b.set({ { Window::Geometry, "Text_a", "1.2" }, { Window::Geometry, "Text_b", "1.2" } });
    InputError r = CheckLidWindow(b.ctx);
    EXPECT_EQ(r.code, 14);
    EXPECT_EQ(r.message, "Ponto base horizontal da tampa acima do limite permitido [ 0,2m ]");
    EXPECT_EQ(lid.state("butarw_2"), 0);
    EXPECT_FALSE(lid.error("Text_X"));
    EXPECT_FALSE(lid.error("Text_Y"));

    lid.setText("Text_Lx", "0.2");
    r = CheckLidWindow(b.ctx);
    EXPECT_EQ(r.code, 16);
    EXPECT_EQ(r.message, "Ponto base vertical da tampa acima do limite permitido [ 0,2m ]");
}

TEST(InputLimits, BuriedWindowChecksInOrder)
{
    Bench b;
    FormModel &buried = b.ctx.forms.FormDadosEnterrada;
    EXPECT_EQ(CheckBuriedWindow(b.ctx), noError);

    b.set({ { Window::Buried, "Texthna", "1.6" }, { Window::Buried, "TextGama", "3" } });
    InputError r = CheckBuriedWindow(b.ctx);
    EXPECT_EQ(r.code, 24);
    EXPECT_EQ(r.message, "Altura do NA no lençol acima do limite permitido [ 1,52m ]");
    EXPECT_EQ(buried.state("butarw_2"), 0);
    EXPECT_FALSE(buried.error("TextGama")); // not reached

    buried.setText("Texthna", "0.75");
    EXPECT_EQ(CheckBuriedWindow(b.ctx).code, 26);
}

TEST(InputLimits, SettingsWindowSetsBothButtonSets)
{
    Bench b;
    FormModel &cfg = b.ctx.forms.FormCFG;
    // An emptied field reads as 0 and fails its lower bound.
    cfg.setText("RSVCFGESPMULT", "");
    InputError r = CheckSettingsWindow(b.ctx);
    EXPECT_EQ(r.code, 31);
    EXPECT_EQ(r.message, "Espaçamento múltiplo de As abaixo do limite permitido [ 1cm ]");
    EXPECT_EQ(cfg.state("butarw"), 0);
    EXPECT_EQ(cfg.state("butsav"), 0);
    EXPECT_EQ(cfg.state("butopn"), 1); // restoring the defaults stays possible
    EXPECT_EQ(b.view.shown.back(), r);

    // The factory defaults of the calculation parameters are all within their limits.
    b.set({ { Window::Settings, "RSVCFGESPMULT", "2.5" },
            { Window::Settings, "RSVCFGESPMAXAS", "30" },
            { Window::Settings, "RSVCFGESPMINAS", "7.5" },
            { Window::Settings, "RSVMELESPAS", "20" },
            { Window::Settings, "RSVESPMINPAR", "10" },
            { Window::Settings, "RSVCFGSECASMIN", "0.15" },
            { Window::Settings, "RSVPORCTAMASEST", "15" },
            { Window::Settings, "RSVCHAMFPAR", "15" },
            { Window::Settings, "RSVCHAMFFUND", "25" },
            { Window::Settings, "RSVCFGACOMIN", "1.15" },
            { Window::Settings, "RSVABMAXFISS", "0.30" },
            { Window::Settings, "RSVCFGCONCFCK", "150" },
            { Window::Settings, "RSVCFGCONCPESESP", "2.5" },
            { Window::Settings, "RSVCFGMAJCARGAS", "1.4" },
            { Window::Settings, "RSVCFGCONCMIN", "1.4" },
            { Window::Settings, "RSVCFGCOBMIN", "1.5" },
            { Window::Settings, "RSVH20PESESP", "1.0" } });
    EXPECT_EQ(CheckSettingsWindow(b.ctx), noError);
    EXPECT_EQ(cfg.state("butarw"), 1);
    EXPECT_EQ(cfg.state("butsav"), 1);

    // The last field in order is reached too.
    cfg.setText("RSVH20PESESP", "0");
    EXPECT_EQ(CheckSettingsWindow(b.ctx).code, 63);
    EXPECT_EQ(cfg.state("butsav"), 0);
}

TEST(InputLimits, SetInputErrorStoresAndShows)
{
    Bench b;
    const InputError e{ 66, "Espessura acima do limite permitido [ 9,99m ]" };
    SetInputError(b.ctx, e);
    EXPECT_EQ(GetInputError(b.ctx), e);
    EXPECT_EQ(b.ctx.state.inputError, e);
    ASSERT_EQ(b.view.shown.size(), 1u);
    EXPECT_EQ(b.view.shown.back(), e);

    SetInputError(b.ctx, noError);
    EXPECT_EQ(GetInputError(b.ctx), noError);
    EXPECT_EQ(b.view.shown.back(), noError);

    // Without a status b.view (batch work) nothing is shown and nothing fails.
    b.ctx.setStatusView(nullptr);
    SetInputError(b.ctx, e);
    EXPECT_EQ(GetInputError(b.ctx), e);
    EXPECT_EQ(b.view.shown.size(), 2u);
}

TEST(InputLimits, RowsAreFoundByControlNameAlone)
{
    Bench b;
    // A control with no limits is always valid.
    FormModel legend("FormLegenda");
    legend.addField("TextNome", "");
    EXPECT_EQ(CheckField(b.ctx, legend, "TextNome"), noError);
    EXPECT_EQ(b.view.shown.back(), noError);

    // The name decides, not the window: a NumberBox1 of another window gets the drawing-area
    // limits, and that window, not being the CAD drawing settings, reports to the status bar.
    FormModel scale("FormCADEscala");
    scale.addField("NumberBox1", "0");
    const InputError r = CheckField(b.ctx, scale, "NumberBox1");
    EXPECT_EQ(r.code, 75);
    EXPECT_EQ(b.view.shown.back(), r);
}

} // namespace
