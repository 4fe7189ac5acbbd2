#include "seams.h"

#include "common/events.h"
#include "common/settings.h"

namespace testsupport {

MessageRecorder::MessageRecorder()
{
    common::setMessageHandler([this](const common::MessageRequest& r) {
        boxes.append(r);
        return answers.isEmpty() ? common::MsgAnswer::Ok : answers.takeFirst();
    });
}

MessageRecorder::~MessageRecorder()
{
    common::setMessageHandler({});
}

QStringList MessageRecorder::texts() const
{
    QStringList out;
    for (const auto& b : boxes)
        out << b.text;
    return out;
}

FileDialogAnswers::FileDialogAnswers()
{
    common::setFileDialogHandler([this](const common::FileDialogRequest& r) {
        requests.append(r);
        if (names.isEmpty())
            return common::FileDialogResult{};
        const QString n = names.takeFirst();
        if (n.isEmpty())
            return common::FileDialogResult{};
        return common::FileDialogResult{false, n};
    });
}

FileDialogAnswers::~FileDialogAnswers()
{
    common::setFileDialogHandler({});
}

SettingsStore::SettingsStore()
{
    common::setSettingsReader([this](const QString& group, const QString& key, const QString& fallback) {
        return values.value(group + u'/' + key, fallback);
    });
}

SettingsStore::~SettingsStore()
{
    common::setSettingsReader({});
}

FastClock::FastClock(double s) : step(s)
{
    common::setClock([this] {
        now += step;
        return now;
    });
    common::setSleep([this](int ms) { pauses.append(ms); });
}

FastClock::~FastClock()
{
    common::setClock({});
    common::setSleep({});
}

} // namespace testsupport
