#include "knowntexts.h"

#include "fuzzsupport.h"

#include <QFile>
#include <QHash>
#include <QStringList>

namespace fuzz {

namespace {
const QString& sourceText(const QString& path)
{
    static QHash<QString, QString> texts;
    auto it = texts.find(path);
    if (it == texts.end()) {
        QFile f(QStringLiteral(ZEL_SOURCE_DIR "/") + path);
        if (!f.open(QIODevice::ReadOnly))
            fail("the module's source can be read", __FILE__, __LINE__, f.fileName());
        it = texts.insert(path, QString::fromUtf8(f.readAll()));
    }
    return *it;
}
} // namespace

bool isLiteralOf(const QString& text, const QStringList& sources)
{
    if (text.isEmpty())
        return false;
    // The same few messages come again and again: answer them from memory.
    static QHash<QString, bool> answers;
    const QString key = sources.join(u'|') + u'\n' + text;
    if (const auto it = answers.constFind(key); it != answers.constEnd())
        return *it;
    const QString quoted = u'"' + text + u'"';
    bool found = false;
    for (const QString& s : sources)
        found = found || sourceText(s).contains(quoted);
    answers.insert(key, found);
    return found;
}

} // namespace fuzz
