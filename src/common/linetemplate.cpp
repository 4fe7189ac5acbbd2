#include "linetemplate.h"

namespace common {

LineTemplate::LineTemplate(QStringView pattern) : m_pattern(pattern.toString())
{
    const qsizetype n = pattern.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = pattern[i];
        if (c == u'[' && i + 2 < n && pattern[i + 1] == u'*' && pattern[i + 2] == u']') {
            m_elements.push_back({Kind::Literal, U'*'});
            i += 2;
        } else if (c == u'#') {
            m_elements.push_back({Kind::Digit, 0});
        } else if (c == u'?') {
            m_elements.push_back({Kind::Any, 0});
        } else if (c == u'*') {
            m_elements.push_back({Kind::Star, 0});
        } else if (c.isHighSurrogate() && i + 1 < n && pattern[i + 1].isLowSurrogate()) {
            m_elements.push_back({Kind::Literal, QChar::surrogateToUcs4(c, pattern[i + 1])});
            ++i;
        } else {
            m_elements.push_back({Kind::Literal, c.unicode()});
        }
    }
}

namespace {
// Decodes the line into code points; false on a lone surrogate.
bool decode(QStringView line, std::vector<char32_t>& out)
{
    out.clear();
    out.reserve(std::size_t(line.size()));
    const qsizetype n = line.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = line[i];
        if (c.isHighSurrogate()) {
            if (i + 1 >= n || !line[i + 1].isLowSurrogate())
                return false;
            out.push_back(QChar::surrogateToUcs4(c, line[i + 1]));
            ++i;
        } else if (c.isLowSurrogate()) {
            return false;
        } else {
            out.push_back(c.unicode());
        }
    }
    return true;
}
} // namespace

bool LineTemplate::matches(QStringView line) const
{
    std::vector<char32_t> s;
    if (!decode(line, s))
        return false;
    // Greedy match with backtracking to the last "*": linear in practice, and
    // exact because every other element takes exactly one character.
    std::size_t si = 0, pi = 0;
    std::size_t starP = std::size_t(-1), starS = 0;
    const std::size_t pn = m_elements.size();
    while (si < s.size()) {
        if (pi < pn && m_elements[pi].kind == Kind::Star) {
            starP = pi++;
            starS = si;
            continue;
        }
        if (pi < pn) {
            const Element& e = m_elements[pi];
            const bool one = e.kind == Kind::Any || (e.kind == Kind::Digit && s[si] >= U'0' && s[si] <= U'9') ||
                             (e.kind == Kind::Literal && e.ch == s[si]);
            if (one) {
                ++si;
                ++pi;
                continue;
            }
        }
        if (starP == std::size_t(-1))
            return false;
        pi = starP + 1;
        si = ++starS;
    }
    while (pi < pn && m_elements[pi].kind == Kind::Star)
        ++pi;
    return pi == pn;
}

QString LineTemplate::simplestLine() const
{
    QString out;
    for (const Element& e : m_elements) {
        switch (e.kind) {
        case Kind::Digit:
            out += u'0';
            break;
        case Kind::Any:
            out += u'A';
            break;
        case Kind::Star:
            break;
        case Kind::Literal:
            out += QString::fromUcs4(&e.ch, 1);
            break;
        }
    }
    return out;
}

int LineTemplate::fixedPrefixLength() const
{
    int n = 0;
    for (const Element& e : m_elements) {
        if (e.kind == Kind::Star)
            break;
        ++n;
    }
    return n;
}

bool matchesTemplate(QStringView line, QStringView pattern)
{
    return LineTemplate(pattern).matches(line);
}

} // namespace common
