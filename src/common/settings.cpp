#include "settings.h"

#include "texts.h"

#include <QSettings>
#include <QStringList>

namespace common {

namespace {
SettingsReader& reader()
{
    static SettingsReader r;
    return r;
}
} // namespace

QString GetSetting(const QString& group, const QString& key, const QString& fallback)
{
    if (reader())
        return reader()(group, key, fallback);
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, texts::kAppTitle);
    s.beginGroup(group);
    if (!s.contains(key))
        return fallback;
    const QVariant v = s.value(key);
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(u',');
    return v.toString();
}

void setSettingsReader(SettingsReader r)
{
    reader() = std::move(r);
}

} // namespace common
