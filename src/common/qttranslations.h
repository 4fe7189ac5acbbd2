#pragma once
// Qt's own texts (the file dialogs' labels and buttons, standard buttons,
// the question before a file is replaced) in the operator's language, so that
// they read like the program's own Korean texts.

#include <QLocale>

namespace common {

// Loads and installs Qt's translations for `locale` in place of any loaded
// before; false, and Qt keeps its English texts, when there are none.
bool loadQtTranslations(const QLocale& locale = QLocale::system());

} // namespace common
