#include "FlowTestContext.h"

#include "core/ModuleRSVErr.h"
#include "input/InputFlows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using InputChain::InputWindow;
using InputFlows::Back;
using InputFlows::Forward;

/// Presses the forward buttons from the tank-kind window up to the layout window.
void forwardToLayout(AppContext &ctx)
{
    InputWindow w = InputWindow::FormTipoElev;
    InputFlows::ActivateWindow(ctx, w);
    while (w != InputWindow::FormPosicaoAs) {
        const InputWindow next = Forward(ctx, w);
        ASSERT_NE(next, w) << "refused: " << ctx.state.inputError.message;
        w = next;
    }
}

TEST(InputChainFlow, BuriedTankGoesThroughTheSoilWindow)
{
    FlowTestContext t; // the tank-kind window starts with the buried tank chosen
    forwardToLayout(*t.ctx);
    const std::vector<std::string> shown{ "FormDadosGeometricos", "FormPosTampa",
                                          "FormDadosEnterrada", "FormPosicaoAs" };
    EXPECT_EQ(t.host.eventsStartingWith("ShowForm "), shown);
    const std::vector<std::string> hidden{ "FormTipoElev", "FormDadosGeometricos", "FormPosTampa",
                                           "FormDadosEnterrada" };
    EXPECT_EQ(t.host.eventsStartingWith("HideForm "), hidden);

    const DesignState &s = t.ctx->state;
    EXPECT_EQ(s.calcState, 20);
    EXPECT_EQ(s.widthA, 2.79f);
    EXPECT_EQ(s.lidLiveLoad, -50.0f);
    EXPECT_EQ(s.buryHeightHt, 1.52f);
    EXPECT_EQ(s.soilFrictionAngle, 28);
    // The geometry's forward button starts every calculation from the minimum thickness.
    EXPECT_EQ(s.thicknessEp, 0.1f);
    // Proposed from the geometry defaults.
    EXPECT_EQ(t.ctx->forms.FormPosicaoAs.state("OptionDuasDir"), 1);

    t.host.clear();
    EXPECT_EQ(Back(*t.ctx, InputWindow::FormPosicaoAs), InputWindow::FormDadosEnterrada);
    EXPECT_EQ(Back(*t.ctx, InputWindow::FormDadosEnterrada), InputWindow::FormPosTampa);
}

TEST(InputChainFlow, ElevatedTankSkipsTheSoilWindow)
{
    FlowTestContext t;
    FormModel &kind = t.ctx->forms.FormTipoElev;
    kind.setState("OptionElevada", 1);
    kind.setState("OptionEnterrada", 0);
    // A tall tank, so the proposal is not the default one.
    t.ctx->forms.FormDadosGeometricos.setText("Text_a", "1");
    t.ctx->forms.FormDadosGeometricos.setText("Text_b", "1");
    t.ctx->forms.FormDadosGeometricos.setText("Text_h", "2");
    t.ctx->forms.FormDadosGeometricos.setText("Text_hn", "1.5");
    t.ctx->forms.FormPosTampa.setText("Text_X", "0.5");
    t.ctx->forms.FormPosTampa.setText("Text_Y", "0.5");
    t.ctx->forms.FormPosTampa.setText("Text_Lx", "0.2");
    t.ctx->forms.FormPosTampa.setText("Text_Ly", "0.2");
    forwardToLayout(*t.ctx);
    const std::vector<std::string> shown{ "FormDadosGeometricos", "FormPosTampa", "FormPosicaoAs" };
    EXPECT_EQ(t.host.eventsStartingWith("ShowForm "), shown);
    EXPECT_EQ(t.ctx->state.calcState, 10);
    EXPECT_EQ(t.ctx->forms.FormPosicaoAs.state("OptionHorizontal"), 1);

    t.host.clear();
    EXPECT_EQ(Back(*t.ctx, InputWindow::FormPosicaoAs), InputWindow::FormPosTampa);
    EXPECT_EQ(t.host.eventsStartingWith("ShowForm "), std::vector<std::string>{ "FormPosTampa" });
}

TEST(InputChainFlow, BrokenLimitBlocksTheForwardButtonUntilCorrected)
{
    FlowTestContext t;
    AppContext &ctx = *t.ctx;
    ASSERT_EQ(Forward(ctx, InputWindow::FormTipoElev), InputWindow::FormDadosGeometricos);
    FormModel &geometry = ctx.forms.FormDadosGeometricos;
    geometry.setText("Text_b", "3");
    ModuleRSVErr::CheckGeometryWindow(ctx);
    ASSERT_EQ(ctx.state.inputError.code, 4);
    EXPECT_EQ(geometry.state("butarw_2"), 0);

    t.host.clear();
    EXPECT_EQ(Forward(ctx, InputWindow::FormDadosGeometricos), InputWindow::FormDadosGeometricos);
    EXPECT_TRUE(t.host.events.empty());
    EXPECT_EQ(ctx.state.widthA, 0.0f) << "nothing copied while the limit is broken";

    geometry.setText("Text_b", "2.5");
    ModuleRSVErr::CheckGeometryWindow(ctx);
    EXPECT_EQ(Forward(ctx, InputWindow::FormDadosGeometricos), InputWindow::FormPosTampa);
    EXPECT_EQ(ctx.state.lengthB, 2.5f);
}

TEST(InputChainFlow, ActivationChecksTheWindowShown)
{
    // A geometry made smaller after the lid was filled: the lid's base points no longer fit,
    // which its activation reports (Lx before Ly) and which keeps the chain at the lid.
    FlowTestContext t;
    AppContext &ctx = *t.ctx;
    ctx.forms.FormDadosGeometricos.setText("Text_a", "1.2");
    ctx.forms.FormDadosGeometricos.setText("Text_b", "1.2");
    ASSERT_EQ(Forward(ctx, InputWindow::FormTipoElev), InputWindow::FormDadosGeometricos);
    ASSERT_EQ(Forward(ctx, InputWindow::FormDadosGeometricos), InputWindow::FormPosTampa);
    EXPECT_EQ(ctx.state.inputError.code, 14);
    EXPECT_EQ(ctx.forms.FormPosTampa.state("butarw_2"), 0);
    EXPECT_EQ(Forward(ctx, InputWindow::FormPosTampa), InputWindow::FormPosTampa);
}

TEST(InputChainFlow, GeometryBackClearsTheStatusAndResetsThicknesses)
{
    FlowTestContext t;
    AppContext &ctx = *t.ctx;
    ctx.forms.FormDadosGeometricos.setText("Text_b", "3");
    ASSERT_EQ(Forward(ctx, InputWindow::FormTipoElev), InputWindow::FormDadosGeometricos);
    ASSERT_EQ(ctx.state.inputError.code, 4);
    ctx.state.thicknessEp = 0.3f;

    EXPECT_EQ(Back(ctx, InputWindow::FormDadosGeometricos), InputWindow::FormTipoElev);
    EXPECT_EQ(ctx.state.inputError, noError);
    EXPECT_EQ(ctx.state.thicknessEp, 0.1f);
    ASSERT_FALSE(t.host.statuses.empty());
    EXPECT_EQ(t.host.statuses.back(), noError);
}

TEST(InputChainFlow, BackFromTheResultsRemovesTheLayoutAndKeepsTheChoice)
{
    FlowTestContext t;
    AppContext &ctx = *t.ctx;
    ctx.state.calcState = 3020;
    ctx.state.thicknessEp = 0.25f;
    InputChain::ChooseLayout(ctx.forms.FormPosicaoAs, kVerticalLayout);

    EXPECT_EQ(Back(ctx, InputWindow::FormResultados), InputWindow::FormPosicaoAs);
    EXPECT_EQ(ctx.state.calcState, 20);
    EXPECT_EQ(ctx.state.thicknessEp, 0.1f);
    EXPECT_EQ(ctx.forms.FormPosicaoAs.state("OptionVertical"), 1);
    const std::vector<std::string> events{ "HideForm FormResultados", "ShowForm FormPosicaoAs" };
    EXPECT_EQ(t.host.events, events);
}

TEST(InputChainFlow, ClearingTheGroundWaterBoxReadsAsNoGroundWater)
{
    FlowTestContext t;
    AppContext &ctx = *t.ctx;
    FormModel &buried = ctx.forms.FormDadosEnterrada;
    buried.setState("Checkhna", 0);
    InputFlows::Checkhna_Click(ctx);
    EXPECT_FALSE(buried.visible("Texthna"));
    EXPECT_EQ(buried.text("Texthna"), "");
    EXPECT_EQ(ctx.state.inputError, noError);

    forwardToLayout(ctx);
    EXPECT_EQ(ctx.state.waterTableHna, 0.0f);
}

} // namespace
