#pragma once
// The one seam through which the program shows a message box. Production: a
// modal QMessageBox. Tests install a handler that records and answers.

#include "common/texts.h"

#include <QString>

#include <functional>

namespace common {

using texts::kAppTitle;

enum class MsgButtons { Ok, OkCancel };
enum class MsgIcon { None, Exclamation };
enum class MsgAnswer { Ok, Cancel };

struct MessageRequest {
    QString text;
    QString title;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    // A further line under the text (what was tried, where it is set).
    QString detail;
};

using MessageHandler = std::function<MsgAnswer(const MessageRequest&)>;

// Shows the box and returns when the operator has closed it. While the
// program ends it shows nothing and answers Cancel where it may, else Ok.
MsgAnswer MsgBox(const QString& text, MsgButtons buttons = MsgButtons::Ok, const QString& title = kAppTitle,
                 MsgIcon icon = MsgIcon::None, const QString& detail = {});

// Replaces the production box (an empty handler restores it).
void setMessageHandler(MessageHandler handler);

} // namespace common
