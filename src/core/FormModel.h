#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

/// What a window keeps in its controls, without the window: one value per control name.
/// A text field holds its text; an option button or check box its state (1 set, 0 clear, as
/// the window shows it); a list its selected position (-1 for none). Visibility and enabled
/// state are kept where the flows change them, and `error` marks a field whose value broke its
/// limit (the window paints it red).
///
/// Every change, whether typed in the window or set by a flow, notifies the listeners with the
/// control's name, so that a value set by a flow runs the same checks as typing.
class FormModel
{
public:
    struct Field
    {
        std::string text;
        int state = 0;
        bool visible = true;
        bool enabled = true;
        bool error = false;
    };

    /// What changed in a control.
    enum class Change { Text, State, Visible, Enabled, Error };
    using Listener = std::function<void(const std::string &name, Change change)>;

    explicit FormModel(std::string formName = {});

    const std::string &formName() const { return m_formName; }

    /// Declares a control with its load-time value; reset() returns to these values.
    void addField(const std::string &name, const std::string &text = {}, int state = 0);
    bool hasField(const std::string &name) const;
    std::vector<std::string> fieldNames() const;

    const std::string &text(const std::string &name) const;
    void setText(const std::string &name, const std::string &text);
    int state(const std::string &name) const;
    void setState(const std::string &name, int state);
    bool visible(const std::string &name) const;
    void setVisible(const std::string &name, bool visible);
    bool enabled(const std::string &name) const;
    void setEnabled(const std::string &name, bool enabled);
    bool error(const std::string &name) const;
    void setError(const std::string &name, bool error);

    /// Back to the load-time values, as when the window is closed and opened again.
    void reset();

    int subscribe(Listener listener);
    void unsubscribe(int id);

private:
    Field &field(const std::string &name);
    const Field &field(const std::string &name) const;
    void notify(const std::string &name, Change change);

    std::string m_formName;
    std::map<std::string, Field> m_fields;
    std::map<std::string, Field> m_defaults;
    std::vector<std::string> m_order;
    std::map<int, Listener> m_listeners;
    int m_nextListener = 1;
};
