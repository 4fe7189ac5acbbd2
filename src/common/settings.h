#pragma once
// The per-user settings store, read only: QSettings(NativeFormat, UserScope,
// "Zel 통신프로그램"). Tests may put an in-memory store in its place.

#include <QString>

#include <functional>

namespace common {

// The value of `group/key` as text, or `fallback` when absent. A value that
// the store reads back as a list (an unquoted "9600,n,8,1") is joined with
// ",".
QString GetSetting(const QString& group, const QString& key, const QString& fallback = QString());

using SettingsReader = std::function<QString(const QString& group, const QString& key, const QString& fallback)>;
void setSettingsReader(SettingsReader reader); // empty: the real store

} // namespace common
