#include "cli/JsonWriter.h"

#include "core/Numbers.h"

#include <cstdio>

void JsonWriter::newline()
{
    m_out += '\n';
    m_out.append(2 * m_levels.size(), ' ');
}

void JsonWriter::beforeValue()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_levels.empty())
        return;
    Level &level = m_levels.back();
    if (level.count++ > 0)
        m_out += ',';
    newline();
}

void JsonWriter::close(char bracket)
{
    const bool empty = m_levels.back().count == 0;
    m_levels.pop_back();
    if (!empty)
        newline();
    m_out += bracket;
    if (m_levels.empty())
        m_out += '\n';
}

void JsonWriter::beginObject()
{
    beforeValue();
    m_out += '{';
    m_levels.push_back({ true, 0 });
}

void JsonWriter::endObject()
{
    close('}');
}

void JsonWriter::beginArray()
{
    beforeValue();
    m_out += '[';
    m_levels.push_back({ false, 0 });
}

void JsonWriter::endArray()
{
    close(']');
}

void JsonWriter::key(std::string_view name)
{
    beforeValue();
    writeString(name);
    m_out += ": ";
    m_afterKey = true;
}

void JsonWriter::string(std::string_view text)
{
    beforeValue();
    writeString(text);
}

void JsonWriter::number(std::string_view token)
{
    beforeValue();
    m_out += token;
}

void JsonWriter::number(float value)
{
    number(SingleTextC(value));
}

void JsonWriter::integer(std::int64_t value)
{
    number(std::to_string(value));
}

void JsonWriter::boolean(bool value)
{
    number(value ? "true" : "false");
}

void JsonWriter::null()
{
    number("null");
}

void JsonWriter::writeString(std::string_view text)
{
    m_out += '"';
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            m_out += "\\\"";
            break;
        case '\\':
            m_out += "\\\\";
            break;
        case '\n':
            m_out += "\\n";
            break;
        case '\r':
            m_out += "\\r";
            break;
        case '\t':
            m_out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                m_out += buffer;
            } else {
                // UTF-8 passes through as it is.
                m_out += ch;
            }
        }
    }
    m_out += '"';
}

void JsonWriter::member(std::string_view name, std::string_view text)
{
    key(name);
    string(text);
}

void JsonWriter::member(std::string_view name, float value)
{
    key(name);
    number(value);
}

void JsonWriter::member(std::string_view name, int value)
{
    key(name);
    integer(value);
}

void JsonWriter::member(std::string_view name, bool value)
{
    key(name);
    boolean(value);
}
