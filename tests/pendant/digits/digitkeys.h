#pragma once
// Keys named by their character, as on the keypad: "1".."9" are the indices
// 0..8, "0" is 9, "." is 10 and "-" is 11.

#include <QString>

inline int keyIndex(QChar c)
{
    if (c >= u'1' && c <= u'9')
        return c.unicode() - u'1';
    if (c == u'0')
        return 9;
    if (c == u'.')
        return 10;
    if (c == u'-')
        return 11;
    return -1;
}
