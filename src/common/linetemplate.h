#pragma once
// Line templates of the pendant's command checks and digit editors: "#" one
// ASCII digit, "?" one character, "*" any run of characters (also none),
// "[*]" a literal asterisk, every other character itself. Case-sensitive; a
// template matches the whole line or not at all.

#include <QString>
#include <QStringView>

#include <vector>

namespace common {

class LineTemplate {
public:
    LineTemplate() = default;
    explicit LineTemplate(QStringView pattern);

    // True when the whole line matches. A line holding a lone surrogate code
    // unit matches nothing.
    bool matches(QStringView line) const;

    const QString& pattern() const { return m_pattern; }

    // The shortest line the template matches: "#" as "0", "?" as "A", "*" as
    // nothing ("[*]" as "*"). Table checks use it to find the row that
    // decides a template's own simplest line.
    QString simplestLine() const;

    // The position in every matching line at which each element starts is
    // known up to the first "*": the number of fixed elements before it.
    int fixedPrefixLength() const;

private:
    enum class Kind { Digit, Any, Star, Literal };
    struct Element {
        Kind kind;
        char32_t ch;
    };
    QString m_pattern;
    std::vector<Element> m_elements;
};

// Convenience: one-off match.
bool matchesTemplate(QStringView line, QStringView pattern);

} // namespace common
