#pragma once

#include "core/AppContext.h"
#include "core/RegionalSettings.h"
#include "settings/ApplySettings.h"
#include "support/ScriptedUiHost.h"

#include <memory>

/// A program just started for a flow test: the factory parameters applied (minimum thickness
/// 0.10 m), every window at its load-time values, and a scripted screen. No file is touched.
struct FlowTestContext
{
    std::unique_ptr<AppContext> ctx;
    ScriptedUiHost host;

    explicit FlowTestContext(FixedRegionalSettings regional = FixedRegionalSettings::enUS())
        : ctx(std::make_unique<AppContext>(
                std::make_unique<FixedRegionalSettings>(regional),
                ProgramPaths("/nonexistent/reservium-home", "/nonexistent/reservium-data")))
    {
        ApplySettings(*ctx);
        ctx->setUi(&host);
    }

    ~FlowTestContext() { ctx->setUi(nullptr); }

    FlowTestContext(const FlowTestContext &) = delete;
    FlowTestContext &operator=(const FlowTestContext &) = delete;
};
