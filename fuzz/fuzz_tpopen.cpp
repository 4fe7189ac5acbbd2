// The pendant's Open in each of its modes (PRG, LOC, SFT) on any file, through
// the window as the operator uses it. The program grid gets one numbered row
// per command text the file's reader gives, each at most 20 characters; the
// point grid gets the reader's value texts, whole or not at all, and a file
// too short for it shows the system's text and leaves the grid as it was. A
// file that is no text shows the system's text and its name, and leaves
// either grid as it was.

#include "support/fuzzsupport.h"

#include "common/numbers.h"
#include "common/rterror.h"
#include "link/moddef.h"
#include "pendant/frmtp.h"
#include "pendant/tpfiles.h"
#include "support/seams.h"

using pendant::frmTP;

namespace {

QString mark(int r, int c)
{
    return QStringLiteral("m%1.%2").arg(r).arg(c);
}

QStringList programRows(frmTP& tp)
{
    QStringList rows;
    for (int r = 0; r < tp.Grid->rows(); ++r)
        rows << tp.Grid->textMatrix(r, 0) + u'|' + tp.Grid->textMatrix(r, 1);
    return rows;
}

// A file that is no text shows the system's text and its name, and leaves
// the grid as it was.
bool refusedAsNoText(const common::RtError& e, const QString& path, const QList<common::MessageRequest>& boxes)
{
    if (e.number != common::err::BadFileMode)
        return false;
    FUZZ_CHECK(boxes.size() == 1 && boxes[0].text == e.text() + path);
    return true;
}

void checkProgram(frmTP& tp, const QByteArray& bytes, const QString& path, const QStringList& before,
                  const QList<common::MessageRequest>& boxes)
{
    const auto read = pendant::parseProgramFile(bytes);
    if (!common::ok(read)) {
        FUZZ_CHECK(refusedAsNoText(common::error(read), path, boxes));
        FUZZ_CHECK(programRows(tp) == before);
        return;
    }
    FUZZ_CHECK(boxes.isEmpty());
    const QStringList& commands = common::value(read);
    FUZZ_CHECK(commands.size() >= 1 && commands.size() <= 255);
    FUZZ_CHECK(tp.Grid->rows() == commands.size() + 1);
    FUZZ_CHECK(tp.Grid->textMatrix(0, 1) == path);
    for (int n = 0; n < commands.size(); ++n) {
        const QString& c = commands[n];
        FUZZ_CHECK(c.size() <= 20 && !c.contains(u'\n') && !c.contains(u';') && !c.contains(QChar(0)));
        FUZZ_CHECK(tp.Grid->textMatrix(n + 1, 0) == common::format000(n));
        FUZZ_CHECK(tp.Grid->textMatrix(n + 1, 1) == c);
    }
}

void checkPoints(frmTP& tp, const QByteArray& bytes, const QString& path, const pendant::TpFileKind& kind,
                 const QList<common::MessageRequest>& boxes)
{
    FUZZ_CHECK(tp.LOCGrid->rows() == kind.lines + 1);
    const auto cells = pendant::parsePointFile(bytes, kind);
    if (!common::ok(cells)) {
        if (!refusedAsNoText(common::error(cells), path, boxes))
            FUZZ_CHECK(boxes.size() == 1 &&
                       boxes[0].text == common::RtError::of(common::err::InputPastEndOfFile).text());
        for (int r = 1; r <= kind.lines; ++r)
            for (int c = 1; c <= 4; ++c)
                FUZZ_CHECK(tp.LOCGrid->textMatrix(r, c) == mark(r, c));
        return;
    }
    FUZZ_CHECK(boxes.isEmpty());
    const QList<pendant::PointCells>& values = common::value(cells);
    FUZZ_CHECK(values.size() == kind.lines);
    for (int r = 1; r <= kind.lines; ++r) {
        FUZZ_CHECK(tp.LOCGrid->textMatrix(r, 0).startsWith(QChar::fromLatin1(kind.label)));
        for (int c = 1; c <= 4; ++c) {
            const QString& v = values[r - 1][std::size_t(c - 1)];
            FUZZ_CHECK(!v.contains(u' ') && !v.contains(u'\t') && !v.contains(u';') && !v.contains(u'\n') &&
                       !v.contains(QChar(0)));
            FUZZ_CHECK(tp.LOCGrid->textMatrix(r, c) == v);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    fuzz::initApp();
    comm::g_AxisCount = 4;
    frmTP& tp = frmTP::instance();
    if (!tp.isLoaded())
        tp.Show();
    const int key = data[0] % 3; // the PRG, LOC and SFT keys
    tp.button[std::size_t(key)]->setChecked(true);
    tp.button_MouseUp(key);
    const frmTP::Mode mode = tp.currentMode();
    FUZZ_CHECK(mode == (key == 0 ? frmTP::Mode::PRG : key == 1 ? frmTP::Mode::LOC : frmTP::Mode::SFT));
    const pendant::TpFileKind& kind = key == 1 ? pendant::kLocFile : pendant::kSftFile;
    if (mode != frmTP::Mode::PRG)
        for (int r = 1; r <= kind.lines; ++r)
            for (int c = 1; c <= 4; ++c)
                tp.LOCGrid->setTextMatrix(r, c, mark(r, c));

    const QByteArray bytes = fuzz::bytesOf(data, size, 1);
    const QString path = fuzz::writeRunFile(QStringLiteral("tp.dat"), bytes);
    testsupport::FileDialogAnswers dialog;
    dialog.names = {path};
    testsupport::MessageRecorder boxes;
    const QStringList programBefore = programRows(tp);

    tp.mnuOpen_Click();

    FUZZ_CHECK(dialog.requests.size() == 1 && dialog.names.isEmpty());
    if (mode == frmTP::Mode::PRG)
        checkProgram(tp, bytes, path, programBefore, boxes.boxes);
    else
        checkPoints(tp, bytes, path, kind, boxes.boxes);
    return 0;
}
