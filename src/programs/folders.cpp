#include "folders.h"

#include "common/numbers.h"

namespace programs {

QString where_clicked;
QString open_directory;
QString save_directory;

QString joinPath(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return name;
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

QString defaultPrgFile(const QString& folder, int n)
{
    return joinPath(folder, QStringLiteral("ZEVAZA") + common::format00(n) + QStringLiteral(".dat"));
}

QString chosenPrgFile(const QString& folder, int n, bool all, const QString& boxText)
{
    if (all || boxText == folder)
        return defaultPrgFile(folder, n);
    return boxText;
}

} // namespace programs
