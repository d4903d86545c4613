#pragma once

#include "core/DesignState.h"
#include "input/CalculationLaunch.h"
#include "input/FlowTestContext.h"
#include "input/InputChain.h"
#include "input/InputFlows.h"

#include <gtest/gtest.h>

#include <cstdint>

/// The default project calculated as the user would: the tank kind chosen, every window of
/// the chain forward with its load-time values, the layout chosen and the calculate button
/// pressed. The scripted screen has recorded it all.
struct CalculatedProject : FlowTestContext
{
    CalculatedProject(bool elevated, std::int16_t layout, bool groundWater = true)
    {
        using InputChain::InputWindow;
        FormModel &kind = ctx->forms.FormTipoElev;
        kind.setState("OptionElevada", elevated ? 1 : 0);
        kind.setState("OptionEnterrada", elevated ? 0 : 1);
        if (!groundWater)
            InputChain::SetGroundWaterBox(ctx->forms.FormDadosEnterrada, false);
        InputWindow w = InputWindow::FormTipoElev;
        while (w != InputWindow::FormPosicaoAs) {
            const InputWindow next = InputFlows::Forward(*ctx, w);
            if (next == w) {
                ADD_FAILURE() << "the chain stopped: " << ctx->state.inputError.message;
                return;
            }
            w = next;
        }
        InputChain::ChooseLayout(ctx->forms.FormPosicaoAs, layout);
        status = CalculationLaunch::LaunchCalculation(*ctx).status;
        EXPECT_EQ(status, CalculationLaunch::LaunchStatus::Calculated);
    }

    CalculationLaunch::LaunchStatus status = CalculationLaunch::LaunchStatus::Refused;
};
