#pragma once
// Test stand-ins for the platform seams: a message recorder that answers, a
// file dialog that answers from a queue, an in-memory settings store and a
// clock that tests move by hand or that runs fast.

#include "common/filedialog.h"
#include "common/msgbox.h"

#include <QList>
#include <QMap>
#include <QString>

namespace testsupport {

// Records every box; answers OK (or what `answers` holds, front first).
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();

    QList<common::MessageRequest> boxes;
    QList<common::MsgAnswer> answers;

    QStringList texts() const;
    void clear() { boxes.clear(); }
};

// Answers file dialogs from a queue of names; an empty queue cancels.
class FileDialogAnswers {
public:
    FileDialogAnswers();
    ~FileDialogAnswers();

    QList<common::FileDialogRequest> requests;
    QStringList names; // "" cancels
};

// An in-memory settings store: "group/key" -> value.
class SettingsStore {
public:
    SettingsStore();
    ~SettingsStore();
    QMap<QString, QString> values;
};

// A clock that advances `step` seconds on every reading, so that time-outs
// pass in a few iterations of a wait. Also makes the blocking pause free and
// records the pauses asked for.
class FastClock {
public:
    explicit FastClock(double step = 0.5);
    ~FastClock();
    double now = 0;
    double step;
    QList<int> pauses;
};

} // namespace testsupport
