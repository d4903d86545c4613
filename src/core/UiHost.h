#pragma once

#include "core/InputStatusView.h"

#include <string>

/// Everything the flows need from the screen: message boxes and their answers, the status bar,
/// and later the windows, dialogs and progress. The main window implements it; flow tests use a
/// scripted implementation that records what was shown and answers as told.
class UiHost : public InputStatusView
{
public:
    enum class Icon { Critical, Question, Exclamation, Information };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    /// Answers of a message box, numbered as the flows compare them.
    enum Answer : int { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

    virtual ~UiHost() = default;

    /// Shows a message box and returns the answer.
    virtual int MessageBox(const std::string &text, Buttons buttons, Icon icon,
                           const std::string &title)
            = 0;
};
