#pragma once

#include "core/CalcContext.h"
#include "core/RegionalSettings.h"

#include <cmath>
#include <memory>

/// A context with the factory parameters (fck 200 as in the worked examples of the section
/// design) already applied, as the settings would leave them.
inline std::unique_ptr<CalcContext>
MakeDesignContext(FixedRegionalSettings regional = FixedRegionalSettings::enUS())
{
    auto ctx = std::make_unique<CalcContext>(std::make_unique<FixedRegionalSettings>(regional));
    DesignState &s = ctx->state;
    s.pi = 4.0 * std::atan(1.0);
    s.concreteFck = 200;
    s.gammaConcrete = 1.4f;
    s.steelFyk = 5000;
    s.gammaSteel = 1.15f;
    s.gammaLoads = 1.4f;
    s.minCover = 1.5f;
    s.asMinPercent = 0.15f;
    s.asMinPercent2 = 0.15f;
    s.spacingMultiple = 2.5f;
    s.bestSpacing = 20;
    s.minSpacing = 7.5f;
    s.maxSpacing = 30;
    s.gaugeUnitIsMm = -1;
    ctx->forms.FormCFG.setText("RSVPORCTAMASEST", "15");
    return ctx;
}
