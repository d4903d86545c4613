#pragma once

#include "core/CalcContext.h"
#include "core/ProgramPaths.h"

class UiHost;

/// One per running program (each test makes its own): the engine's context, the program's
/// folders, and the screen the flows talk to. No other globals.
class AppContext : public CalcContext
{
public:
    AppContext(std::unique_ptr<RegionalSettings> regional, ProgramPaths paths);

    /// The context of the installed program: system regional settings with the override file
    /// in the program's folder, and the folders of ProgramPaths::fromEnvironment().
    static std::unique_ptr<AppContext> createForSystem();

    const ProgramPaths &paths() const { return m_paths; }

    /// The screen; null when the program runs without windows. It also shows the input-limit
    /// status.
    UiHost *ui() const { return m_ui; }
    void setUi(UiHost *ui);

private:
    ProgramPaths m_paths;
    UiHost *m_ui = nullptr;
};
