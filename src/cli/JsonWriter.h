#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// A small streaming JSON writer, two spaces of indentation. Numbers are written as the tokens
/// the caller gives, so a single-precision value keeps its 7-digit text (0.11, not
/// 0.10999999940395355).
class JsonWriter
{
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();

    /// The name of the next member of the current object.
    void key(std::string_view name);

    void string(std::string_view text);
    /// A number token, written as given; it must be a valid JSON number.
    void number(std::string_view token);
    /// A single as its 7-digit text with "." as decimal symbol.
    void number(float value);
    void integer(std::int64_t value);
    void boolean(bool value);
    void null();

    /// A member of the current object: its name, then its value.
    void member(std::string_view name, std::string_view text);
    void member(std::string_view name, const char *text) { member(name, std::string_view(text)); }
    void member(std::string_view name, const std::string &text)
    {
        member(name, std::string_view(text));
    }
    void member(std::string_view name, float value);
    void member(std::string_view name, int value);
    void member(std::string_view name, bool value);

    /// The text written so far, with a final line break once the outermost value is closed.
    const std::string &text() const { return m_out; }

private:
    void beforeValue();
    void writeString(std::string_view text);
    void newline();
    void close(char bracket);

    struct Level
    {
        bool isObject = false;
        int count = 0;
    };

    std::string m_out;
    std::vector<Level> m_levels;
    bool m_afterKey = false;
};
