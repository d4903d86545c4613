#include "core/AppContext.h"

#include "core/SystemRegionalSettings.h"
#include "core/UiHost.h"

#include <utility>

AppContext::AppContext(std::unique_ptr<RegionalSettings> regional, ProgramPaths paths)
    : CalcContext(std::move(regional)), m_paths(std::move(paths))
{
}

void AppContext::setUi(UiHost *ui)
{
    m_ui = ui;
    setStatusView(ui);
}

std::unique_ptr<AppContext> AppContext::createForSystem()
{
    ProgramPaths paths = ProgramPaths::fromEnvironment();
    auto regional = std::make_unique<SystemRegionalSettings>(paths.userFile("regional.ini"));
    return std::make_unique<AppContext>(std::move(regional), std::move(paths));
}
