#include "FlowTestContext.h"

#include "core/CalcError.h"
#include "core/ModuleRSVErr.h"
#include "input/CalculationLaunch.h"
#include "input/InputChain.h"
#include "input/InputFlows.h"

#include <gtest/gtest.h>

#include <cmath>

#include <string>
#include <vector>

namespace {

using namespace CalculationLaunch;

// ---- Stand-in drivers ------------------------------------------------------------------------

/// What the driver found when the launch called it.
struct DriverCall
{
    int count = 0;
    std::int16_t calcState = 0;
    float et = 0, ep = 0, ef = 0;
    bool resultsEmpty = false;
};
DriverCall g_call;

void record(CalcContext &ctx)
{
    ++g_call.count;
    g_call.calcState = ctx.state.calcState;
    g_call.et = ctx.state.thicknessEt;
    g_call.ep = ctx.state.thicknessEp;
    g_call.ef = ctx.state.thicknessEf;
    g_call.resultsEmpty = ctx.results.Text_a[0].empty() && ctx.results.Text_a[40].empty();
}

/// A calculation that completes: fields, one designed position, raised thicknesses.
void completes(CalcContext &ctx)
{
    record(ctx);
    ctx.results.Text_a[0] = "2.79";
    ctx.results.Text_a[5] = "0.16";
    ctx.state.thicknessEp += 0.06f;
    RebarPosition &p = ctx.rebarPosition(1);
    p.N = "1";
    p.gauge.diameterMm = 10;
    p.NBR = 10;
    p.CMP = 250;
    p.NVZ = 2;
}

/// A calculation that writes part of its results and then meets its error.
void failsHalfway(CalcContext &ctx)
{
    record(ctx);
    ctx.results.Text_a[0] = "half";
    ctx.state.thicknessEp = 0.5f;
    ctx.state.wallWaterLoad = 1234;
    ctx.rebarPosition(3).ARE = 9;
    throw CalcError("A revisão das espessuras levaria as paredes a 0.5 m.");
}

const LayoutDrivers kCompleting{ &completes, &completes, &completes };
const LayoutDrivers kFailing{ &failsHalfway, &failsHalfway, &failsHalfway };

/// A context at the layout window of the default buried project, as the chain leaves it.
struct AtLayoutWindow : FlowTestContext
{
    AtLayoutWindow()
    {
        g_call = {};
        InputChain::InputWindow w = InputChain::InputWindow::FormTipoElev;
        while (w != InputChain::InputWindow::FormPosicaoAs)
            w = InputFlows::Forward(*ctx, w);
        host.clear();
    }
};

/// What a calculation may write, to compare before and after.
struct Written
{
    DesignState state;
    ResultsFields results;
    std::array<RebarPosition, 20> positions;
    std::array<std::array<float, 4>, 4> quantities;

    explicit Written(const CalcContext &ctx)
        : state(ctx.state),
          results(ctx.results),
          positions(ctx.rebarPositions),
          quantities(ctx.materialQuantities)
    {
    }
};

void expectUnchanged(const CalcContext &ctx, const Written &before)
{
    const DesignState &s = ctx.state;
    EXPECT_EQ(s.calcState, before.state.calcState);
    EXPECT_EQ(s.thicknessEt, before.state.thicknessEt);
    EXPECT_EQ(s.thicknessEp, before.state.thicknessEp);
    EXPECT_EQ(s.thicknessEf, before.state.thicknessEf);
    EXPECT_EQ(s.wallWaterLoad, before.state.wallWaterLoad);
    EXPECT_EQ(s.earthPressureCoef, before.state.earthPressureCoef);
    EXPECT_EQ(ctx.results.Text_a, before.results.Text_a);
    EXPECT_EQ(ctx.results.Text_hn, before.results.Text_hn);
    EXPECT_EQ(ctx.rebarPositions, before.positions);
    EXPECT_EQ(ctx.materialQuantities, before.quantities);
}

// ---- Calculate button ----------------------------------------------------------------------

TEST(LaunchCalculation, RunsTheChosenLayoutAndShowsTheResults)
{
    AtLayoutWindow t;
    AppContext &ctx = *t.ctx;
    InputChain::ChooseLayout(ctx.forms.FormPosicaoAs, kVerticalLayout);
    ctx.results.Text_a[40] = "left from the last calculation";

    const LaunchResult r = LaunchCalculation(ctx, kCompleting);
    EXPECT_EQ(r.status, LaunchStatus::Calculated);
    EXPECT_EQ(g_call.count, 1);
    EXPECT_EQ(g_call.calcState, 2020);
    EXPECT_TRUE(g_call.resultsEmpty) << "the results window starts from its load-time state";
    EXPECT_EQ(ctx.state.calcState, 2020);
    const std::vector<std::string> events{
        "HideForm FormPosicaoAs",
        "ShowProgress Calculando Estrutura",
        "CloseForm FormResultados",
        "RefreshBarGrid",
        "ShowResultsWindow Resultados - Reservatório Armado Verticalmente",
    };
    EXPECT_EQ(t.host.events, events);
    // The quantities follow the calculation: position 1 weighs 0.0063 · 10 · 250 · 2 = 31.5 kg.
    EXPECT_NEAR(ctx.materialQuantities[0][0], 31.5f, 1e-4f);
}

TEST(LaunchCalculation, CalculationErrorLeavesNoHalfResult)
{
    AtLayoutWindow t;
    AppContext &ctx = *t.ctx;
    // A previous complete result, kept while the user changes the layout.
    ASSERT_EQ(LaunchCalculation(ctx, kCompleting).status, LaunchStatus::Calculated);
    InputFlows::Back(ctx, InputChain::InputWindow::FormResultados);
    InputChain::ChooseLayout(ctx.forms.FormPosicaoAs, kHorizontalLayout);
    const Written before(ctx);
    t.host.clear();

    t.host.answers.push_back(UiHost::Ok);
    const LaunchResult r = LaunchCalculation(ctx, kFailing);
    EXPECT_EQ(r.status, LaunchStatus::Failed);
    EXPECT_EQ(r.error, "A revisão das espessuras levaria as paredes a 0.5 m.");
    EXPECT_EQ(g_call.calcState, 1020);
    expectUnchanged(ctx, before);

    ASSERT_EQ(t.host.messages.size(), 1u);
    EXPECT_EQ(t.host.messages[0].title, "Erro no cálculo");
    EXPECT_EQ(t.host.messages[0].icon, UiHost::Icon::Critical);
    EXPECT_EQ(t.host.messages[0].text, r.error);
    const std::vector<std::string> events{
        "HideForm FormPosicaoAs", "ShowProgress Calculando Estrutura", "CloseForm FormResultados",
        "CloseProgress",          "MessageBox Erro no cálculo",        "ShowForm FormPosicaoAs",
    };
    EXPECT_EQ(t.host.events, events);
}

TEST(LaunchCalculation, ImpossibleBoxIsReportedByTheEngine)
{
    // Walls of 0.99 m in a 1.5 m box: the calculation cannot even write its header.
    AtLayoutWindow t;
    AppContext &ctx = *t.ctx;
    ctx.state.minWallThickness = 0.99f;
    ResetThicknesses(ctx.state);
    ctx.state.widthA = ctx.state.lengthB = 1.5f;
    t.host.answers.push_back(UiHost::Ok);
    const Written before(ctx);

    const LaunchResult r = LaunchCalculation(ctx);
    EXPECT_EQ(r.status, LaunchStatus::Failed);
    EXPECT_FALSE(r.error.empty());
    expectUnchanged(ctx, before);
    EXPECT_EQ(t.host.eventsStartingWith("ShowResultsWindow").size(), 0u);
}

TEST(LaunchCalculation, RefusedWhileAnInputLimitIsBroken)
{
    AtLayoutWindow t;
    AppContext &ctx = *t.ctx;
    ModuleRSVErr::SetInputError(ctx, { 4, "Comprimento da caixa acima do limite permitido" });
    t.host.clear();
    EXPECT_EQ(LaunchCalculation(ctx, kCompleting).status, LaunchStatus::Refused);
    EXPECT_EQ(g_call.count, 0);
    EXPECT_TRUE(t.host.events.empty());
    EXPECT_EQ(ctx.state.calcState, 20);
}

// ---- Thickness review ----------------------------------------------------------------------

/// A two-way buried tank just calculated: lid 0.10, walls 0.12, bottom 0.14; minimum 0.10.
struct Calculated : AtLayoutWindow
{
    Calculated()
    {
        AppContext &c = *ctx;
        InputChain::ChooseLayout(c.forms.FormPosicaoAs, kTwoWayLayout);
        c.state.calcState = 3020;
        c.state.thicknessEt = 0.1f;
        c.state.thicknessEp = 0.12f;
        c.state.thicknessEf = 0.14f;
        c.results.Text_a[4] = "0.1";
        c.results.Text_a[5] = "0.12";
        c.results.Text_a[6] = "0.14";
        c.materialQuantities[3][1] = 4.39f;
        g_call = {};
    }

    /// Opens the review of one thickness and types the new value, as the results window does.
    void review(const char *label4, float calculated, const char *typed)
    {
        CalculationLaunch::Inicia_Altera_e(*ctx, "Espessura calculada", calculated, label4,
                                           "Altera Espessura");
        ctx->forms.FormAltera_e.setText("Text_e", typed);
        CalculationLaunch::Text_e_Change(*ctx);
        host.clear();
    }
};

TEST(ThicknessReview, OpensWithTheConfirmButtonDisabled)
{
    Calculated t;
    CalculationLaunch::Inicia_Altera_e(*t.ctx, "Espessura calculada", 0.12f,
                                       "e(p):", "Altera Espessura");
    const FormModel &f = t.ctx->forms.FormAltera_e;
    EXPECT_EQ(f.text("Label2"), "0.12");
    EXPECT_EQ(f.text("Label4"), "e(p):");
    EXPECT_EQ(f.text("Caption"), "Altera Espessura");
    EXPECT_EQ(t.ctx->state.inputError.code, 65);
    EXPECT_EQ(f.state("butres_2"), 0);
    EXPECT_EQ(t.host.eventsStartingWith("ShowForm "), std::vector<std::string>{ "FormAltera_e" });
    EXPECT_EQ(butnext(*t.ctx, kCompleting), ReviewOutcome::Ignored);
}

TEST(ThicknessReview, SmallerValueAnsweredNoKeepsEverything)
{
    Calculated t;
    t.review("e(p):", 0.12f, "0.11");
    const Written before(*t.ctx);
    t.host.answers.push_back(UiHost::No);

    EXPECT_EQ(butnext(*t.ctx, kCompleting), ReviewOutcome::Declined);
    ASSERT_EQ(t.host.messages.size(), 1u);
    EXPECT_EQ(t.host.messages[0].title, "Atencão !!!");
    EXPECT_EQ(t.host.messages[0].buttons, UiHost::Buttons::YesNo);
    EXPECT_EQ(t.host.messages[0].text,
              "O Valor informado para e(p): é menor do que o calculado pelo programa.\n"
              "O Reservium não recalculará a estrutura com estes novos valores.\n\n"
              "Deseja continuar mesmo assim ?\n");
    EXPECT_EQ(t.ctx->forms.FormAltera_e.text("Text_e"), "");
    EXPECT_EQ(t.host.eventsStartingWith("FocusField "),
              std::vector<std::string>{ "FormAltera_e.Text_e" });
    EXPECT_EQ(t.host.eventsStartingWith("CloseForm ").size(), 0u) << "the window stays open";
    EXPECT_EQ(t.ctx->state.inputError, noError);
    EXPECT_EQ(g_call.count, 0);
    expectUnchanged(*t.ctx, before);
}

TEST(ThicknessReview, SmallerValueAnsweredYesChangesThatThicknessOnly)
{
    Calculated t;
    t.review("e(t):", 0.15f, "0.12");
    const Written before(*t.ctx);
    t.host.answers.push_back(UiHost::Yes);

    EXPECT_EQ(butnext(*t.ctx, kCompleting), ReviewOutcome::Accepted);
    const DesignState &s = t.ctx->state;
    EXPECT_EQ(s.thicknessEt, 0.12f);
    EXPECT_EQ(s.thicknessEp, before.state.thicknessEp);
    EXPECT_EQ(s.thicknessEf, before.state.thicknessEf);
    EXPECT_EQ(s.calcState, 3020);
    EXPECT_EQ(t.ctx->results.Text_a[4], "0.12");
    EXPECT_EQ(t.ctx->results.Text_a[5], "0.12");
    EXPECT_EQ(t.ctx->materialQuantities, before.quantities) << "no recalculation";
    EXPECT_EQ(g_call.count, 0);
    EXPECT_EQ(t.host.eventsStartingWith("CloseForm "), std::vector<std::string>{ "FormAltera_e" });
    EXPECT_EQ(s.inputError, noError);
}

TEST(ThicknessReview, EqualOrLargerValueRecalculatesFromIt)
{
    struct Case
    {
        const char *label4;
        float calculated;
        const char *typed;
        float et, ep, ef; ///< where the review starts: the lid as it is, the others one raise on
        const char *why;
    };
    const Case cases[] = {
        { "e(t):", 0.10f, "0.15", 0.15f, 0.10f, 0.10f,
          "lid: the lid at v, the others at the minimum" },
        { "e(p):", 0.12f, "0.12", 0.10f, 0.12f, 0.10f, "walls equal to the calculated value" },
        { "e(f):", 0.14f, "0.2", 0.10f, 0.10f, 0.20f, "bottom: any other label" },
        // No single plus 0.01 gives 0.05 in single precision: the next one above it, so the
        // review does not find the walls short of 5 cm.
        { "e(p):", 0.05f, "0.05", 0.10f, std::nextafter(0.05f, 1.0f), 0.10f, "walls of 0.05 m" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        Calculated t;
        t.ctx->state.thicknessEp = c.calculated;
        t.review(c.label4, c.calculated, c.typed);

        EXPECT_EQ(butnext(*t.ctx, kCompleting), ReviewOutcome::Recalculated);
        ASSERT_EQ(g_call.count, 1);
        // The layout left calcState (3020 → 20) and came back with the two-way option.
        EXPECT_EQ(g_call.calcState, 3020);
        EXPECT_EQ(g_call.et, c.et);
        EXPECT_EQ(g_call.ep + 0.01f, c.ep);
        EXPECT_EQ(g_call.ef + 0.01f, c.ef);
        EXPECT_EQ(t.ctx->state.calcState, 3020);
        EXPECT_EQ(t.ctx->state.inputError, noError);
        const std::vector<std::string> events{
            "CloseForm FormAltera_e",
            "HideForm FormPosicaoAs",
            "ShowProgress Calculando Estrutura",
            "CloseForm FormResultados",
            "RefreshBarGrid",
            "ShowResultsWindow Resultados - Reservatório Armado em Duas Direções",
        };
        EXPECT_EQ(t.host.events, events);
    }
}

TEST(ThicknessReview, FailedRecalculationKeepsThePreviousResults)
{
    Calculated t;
    t.review("e(f):", 0.14f, "0.3");
    const Written before(*t.ctx);
    t.host.answers.push_back(UiHost::Ok);

    EXPECT_EQ(butnext(*t.ctx, kFailing), ReviewOutcome::RecalculationFailed);
    EXPECT_EQ(g_call.calcState, 3020);
    expectUnchanged(*t.ctx, before);
    EXPECT_EQ(t.ctx->state.inputError, noError);
    ASSERT_EQ(t.host.messages.size(), 1u);
    EXPECT_EQ(t.host.messages[0].title, "Erro no cálculo");
    // Back at the results the review was opened from, with their caption.
    ASSERT_FALSE(t.host.events.empty());
    EXPECT_EQ(t.host.events.back(),
              "ShowResultsWindow Resultados - Reservatório Armado em Duas Direções");
}

TEST(ThicknessReview, ClosingClearsTheStatusAndChangesNothing)
{
    Calculated t;
    t.review("e(p):", 0.12f, "");
    ASSERT_EQ(t.ctx->state.inputError.code, 65);
    const Written before(*t.ctx);
    CalculationLaunch::Altera_eClose(*t.ctx);
    EXPECT_EQ(t.ctx->state.inputError, noError);
    expectUnchanged(*t.ctx, before);
}

TEST(OneStepBelow, TheReviewsRaiseLandsOnEveryThickness)
{
    for (int cm = 2; cm <= 999; ++cm) {
        const auto t = static_cast<float>(cm / 100.0);
        const float landed = OneStepBelow(t) + 0.01f;
        if (cm == 5 || cm == 6)
            EXPECT_EQ(landed, std::nextafter(t, 1.0f)) << cm << " cm: no single lands on it";
        else
            EXPECT_EQ(landed, t) << cm << " cm";
    }
}

} // namespace
