#pragma once

#include "core/DesignState.h"

/// Where an input-limit result is shown to the user: panel 1 of the main window's status bar,
/// with the error picture when the code is not 0 and the neutral picture otherwise. The engine
/// tells it through the context; a context without one (batch work, most tests) shows nothing.
class InputStatusView
{
public:
    virtual ~InputStatusView() = default;

    virtual void ShowInputStatus(const InputError &status) = 0;
};
