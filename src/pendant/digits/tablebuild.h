#pragma once
// Row builders for the digit tables, so that each row reads like its
// description: where the field lies, what stands in front of it, what follows.

#include "pendant/digits/digitrow.h"

#include <initializer_list>

namespace pendant::digits::rows {

constexpr DigitField at(int start, int width)
{
    return {start, width, FieldShape::Plain, 0, 0};
}
constexpr DigitField toParen(int start, int width)
{
    return {start, width, FieldShape::ToParen, 0, 0};
}
constexpr DigitField decimal(int start, int width, int fracStart, int fracWidth)
{
    return {start, width, FieldShape::Decimal, fracStart, fracWidth};
}

constexpr DigitRow row(std::string_view trace, std::initializer_list<std::string_view> templates, DigitField field,
                       LeadKind lead, std::string_view text, int leadLength, std::string_view suffix)
{
    DigitRow r{trace, {}, field, lead, text, leadLength, suffix, 0};
    std::size_t i = 0;
    for (std::string_view t : templates)
        r.templates[i++] = t;
    return r;
}

// Lead is the literal `lead`.
constexpr DigitRow fixed(std::string_view trace, std::initializer_list<std::string_view> templates, DigitField field,
                         std::string_view lead, std::string_view suffix = {})
{
    return row(trace, templates, field, LeadKind::Fixed, lead, 0, suffix);
}
// TEMP_COMMAND := first k characters of the line; lead = TEMP_COMMAND + separator.
constexpr DigitRow cutStored(std::string_view trace, std::initializer_list<std::string_view> templates,
                             DigitField field, int k, std::string_view separator, std::string_view suffix = {})
{
    return row(trace, templates, field, LeadKind::CutStored, separator, k, suffix);
}
// Lead = TEMP_COMMAND (k characters, set by an earlier step) + separator.
constexpr DigitRow held(std::string_view trace, std::initializer_list<std::string_view> templates, DigitField field,
                        int k, std::string_view separator, std::string_view suffix = {})
{
    return row(trace, templates, field, LeadKind::Held, separator, k, suffix);
}
// Lead = first k characters of the line + separator; TEMP_COMMAND untouched.
constexpr DigitRow cut(std::string_view trace, std::initializer_list<std::string_view> templates, DigitField field,
                       int k, std::string_view separator)
{
    return row(trace, templates, field, LeadKind::Cut, separator, k, {});
}
// Lead = the line's operation word + separator.
constexpr DigitRow word(std::string_view trace, std::initializer_list<std::string_view> templates, DigitField field,
                        std::string_view separator)
{
    return row(trace, templates, field, LeadKind::Word, separator, 0, {});
}

} // namespace pendant::digits::rows
