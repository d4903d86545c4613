#include "core/FormModel.h"

#include <stdexcept>
#include <utility>

FormModel::FormModel(std::string formName) : m_formName(std::move(formName)) { }

void FormModel::addField(const std::string &name, const std::string &text, int state)
{
    Field f;
    f.text = text;
    f.state = state;
    if (m_fields.find(name) == m_fields.end())
        m_order.push_back(name);
    m_fields[name] = f;
    m_defaults[name] = f;
}

bool FormModel::hasField(const std::string &name) const
{
    return m_fields.find(name) != m_fields.end();
}

std::vector<std::string> FormModel::fieldNames() const
{
    return m_order;
}

FormModel::Field &FormModel::field(const std::string &name)
{
    const auto it = m_fields.find(name);
    if (it == m_fields.end())
        throw std::out_of_range("FormModel " + m_formName + ": no control " + name);
    return it->second;
}

const FormModel::Field &FormModel::field(const std::string &name) const
{
    const auto it = m_fields.find(name);
    if (it == m_fields.end())
        throw std::out_of_range("FormModel " + m_formName + ": no control " + name);
    return it->second;
}

const std::string &FormModel::text(const std::string &name) const
{
    return field(name).text;
}

void FormModel::setText(const std::string &name, const std::string &text)
{
    Field &f = field(name);
    if (f.text == text)
        return;
    f.text = text;
    notify(name, Change::Text);
}

int FormModel::state(const std::string &name) const
{
    return field(name).state;
}

void FormModel::setState(const std::string &name, int state)
{
    Field &f = field(name);
    if (f.state == state)
        return;
    f.state = state;
    notify(name, Change::State);
}

bool FormModel::visible(const std::string &name) const
{
    return field(name).visible;
}

void FormModel::setVisible(const std::string &name, bool visible)
{
    Field &f = field(name);
    if (f.visible == visible)
        return;
    f.visible = visible;
    notify(name, Change::Visible);
}

bool FormModel::enabled(const std::string &name) const
{
    return field(name).enabled;
}

void FormModel::setEnabled(const std::string &name, bool enabled)
{
    Field &f = field(name);
    if (f.enabled == enabled)
        return;
    f.enabled = enabled;
    notify(name, Change::Enabled);
}

bool FormModel::error(const std::string &name) const
{
    return field(name).error;
}

void FormModel::setError(const std::string &name, bool error)
{
    Field &f = field(name);
    if (f.error == error)
        return;
    f.error = error;
    notify(name, Change::Error);
}

void FormModel::reset()
{
    for (const auto &name : m_order) {
        Field &f = m_fields[name];
        const Field &d = m_defaults[name];
        const Field old = f;
        f = d;
        if (old.text != d.text)
            notify(name, Change::Text);
        if (old.state != d.state)
            notify(name, Change::State);
        if (old.visible != d.visible)
            notify(name, Change::Visible);
        if (old.enabled != d.enabled)
            notify(name, Change::Enabled);
        if (old.error != d.error)
            notify(name, Change::Error);
    }
}

int FormModel::subscribe(Listener listener)
{
    const int id = m_nextListener++;
    m_listeners[id] = std::move(listener);
    return id;
}

void FormModel::unsubscribe(int id)
{
    m_listeners.erase(id);
}

void FormModel::notify(const std::string &name, Change change)
{
    // Listeners may subscribe or unsubscribe while being told; work on a copy.
    const auto listeners = m_listeners;
    for (const auto &[id, listener] : listeners)
        listener(name, change);
}
