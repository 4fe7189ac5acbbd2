#include "msgbox.h"

#include "events.h"

#include <QApplication>
#include <QMessageBox>

namespace common {

namespace {
MessageHandler& handler()
{
    static MessageHandler h;
    return h;
}

MsgAnswer showModal(const MessageRequest& r)
{
    QMessageBox box(r.icon == MsgIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon, r.title, r.text,
                    r.buttons == MsgButtons::OkCancel ? (QMessageBox::Ok | QMessageBox::Cancel) : QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setInformativeText(r.detail);
    return box.exec() == QMessageBox::Cancel ? MsgAnswer::Cancel : MsgAnswer::Ok;
}
} // namespace

MsgAnswer MsgBox(const QString& text, MsgButtons buttons, const QString& title, MsgIcon icon, const QString& detail)
{
    // While the program ends no box opens; a question is answered Cancel,
    // so that nothing goes on because of it.
    if (eventLoopsEnding())
        return buttons == MsgButtons::OkCancel ? MsgAnswer::Cancel : MsgAnswer::Ok;
    const MessageRequest r{text, title, buttons, icon, detail};
    // The box serves events while it waits for the operator.
    EventServeScope serving;
    if (handler())
        return handler()(r);
    return showModal(r);
}

void setMessageHandler(MessageHandler h)
{
    handler() = std::move(h);
}

} // namespace common
