#pragma once

#include "core/UiHost.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

/// A screen for flow tests: it records, in order, every window shown, hidden or closed, the
/// progress, the grid refills, the results window and the message boxes, and answers each
/// message box with the next scripted answer. A message box nobody scripted an answer for is a
/// test failure (and is answered Cancel).
class ScriptedUiHost : public UiHost
{
public:
    struct Message
    {
        std::string text;
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::Information;
        std::string title;
    };

    /// "ShowForm FormPosTampa", "HideForm …", "CloseForm …", "ShowProgress <label>",
    /// "CloseProgress", "RefreshBarGrid", "ShowResultsWindow <caption>",
    /// "FocusField <form>.<control>", "MessageBox <title>", "ShowOpen", "ShowSave",
    /// "CloseChildWindows".
    std::vector<std::string> events;
    std::vector<Message> messages;
    std::vector<InputError> statuses;
    /// Answers for the coming message boxes, first first.
    std::deque<int> answers;
    /// Answers for the coming file dialogs, first first; the options each dialog was opened
    /// with, in order.
    std::deque<FileDialogResult> fileAnswers;
    std::vector<FileDialogOptions> fileDialogs;
    /// Whether the main window has an active child window; CloseChildWindows clears it.
    bool activeChild = false;

    /// The events that start with `prefix` ("ShowForm "), in order, without the prefix.
    std::vector<std::string> eventsStartingWith(const std::string &prefix) const
    {
        std::vector<std::string> found;
        for (const std::string &e : events) {
            if (e.rfind(prefix, 0) == 0)
                found.push_back(e.substr(prefix.size()));
        }
        return found;
    }

    void clear()
    {
        events.clear();
        messages.clear();
        statuses.clear();
        fileDialogs.clear();
    }

    int MessageBox(const std::string &text, Buttons buttons, Icon icon,
                   const std::string &title) override
    {
        messages.push_back({ text, buttons, icon, title });
        events.push_back("MessageBox " + title);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected message box \"" << title << "\": " << text;
            return Cancel;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }

    void ShowInputStatus(const InputError &status) override { statuses.push_back(status); }

    void ShowForm(const std::string &formName) override
    {
        events.push_back("ShowForm " + formName);
    }
    void HideForm(const std::string &formName) override
    {
        events.push_back("HideForm " + formName);
    }
    void CloseForm(const std::string &formName) override
    {
        events.push_back("CloseForm " + formName);
    }
    void ShowProgress(const std::string &label) override
    {
        events.push_back("ShowProgress " + label);
    }
    void CloseProgress() override { events.push_back("CloseProgress"); }
    void RefreshBarGrid() override { events.push_back("RefreshBarGrid"); }
    void ShowResultsWindow(const std::string &caption) override
    {
        events.push_back("ShowResultsWindow " + caption);
    }
    void FocusField(const std::string &formName, const std::string &controlName) override
    {
        events.push_back("FocusField " + formName + "." + controlName);
    }

    /// A file dialog nobody scripted an answer for is a test failure (and is cancelled).
    FileDialogResult ShowOpen(const FileDialogOptions &options) override
    {
        return fileDialog("ShowOpen", options);
    }
    FileDialogResult ShowSave(const FileDialogOptions &options) override
    {
        return fileDialog("ShowSave", options);
    }
    bool HasActiveChildWindow() const override { return activeChild; }
    void CloseChildWindows() override
    {
        events.push_back("CloseChildWindows");
        activeChild = false;
    }

private:
    FileDialogResult fileDialog(const char *kind, const FileDialogOptions &options)
    {
        events.push_back(kind);
        fileDialogs.push_back(options);
        if (fileAnswers.empty()) {
            ADD_FAILURE() << "unexpected " << kind << " dialog";
            return { kDialogCancelled, {} };
        }
        const FileDialogResult answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
};
