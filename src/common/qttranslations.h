#pragma once
// Qt's own texts (the file dialogs' labels and buttons, standard buttons,
// the question before a file is replaced) in the operator's language, so that
// they read like the program's own Korean texts.

#include <QLocale>

namespace common {

// Under a Korean locale, loads and installs Qt's Korean translations in place
// of any loaded before. Under any other locale, or when the translations are
// not installed, Qt keeps its English texts and this returns false: the
// program's own texts are Korean whatever the locale, so only Korean may
// change what Qt's dialogs say.
bool loadQtTranslations(const QLocale& locale = QLocale::system());

} // namespace common
