// Open and Save of the pendant window: the grid of the current mode from and
// to a program, location or shift file. A failure ends the command with the
// system's error text (and the file's name for a file refused for what it
// is); cancelling the dialog ends it silently.

#include "frmtp.h"

#include "common/filedialog.h"
#include "common/msgbox.h"
#include "common/numbers.h"

namespace pendant {

void frmTP::mnuOpen_Click()
{
    switch (currentMode()) {
    case Mode::PRG:
        openProgram();
        break;
    case Mode::LOC:
        openPoints(kLocFile);
        break;
    case Mode::SFT:
        openPoints(kSftFile);
        break;
    case Mode::Idle:
        break;
    }
}

void frmTP::mnuSave_Click()
{
    switch (currentMode()) {
    case Mode::PRG:
        saveProgram();
        break;
    case Mode::LOC:
        savePoints(kLocFile);
        break;
    case Mode::SFT:
        savePoints(kSftFile);
        break;
    case Mode::Idle:
        break;
    }
}

std::optional<QString> frmTP::askFileName(const TpFileKind& kind, bool save)
{
    cmDlg.Filter = QString::fromUtf8(kind.filter);
    cmDlg.DialogTitle = QString::fromUtf8(save ? kind.saveTitle : kind.openTitle);
    common::FileDialogRequest request;
    request.mode = save ? common::FileDialogRequest::Mode::Save : common::FileDialogRequest::Mode::Open;
    request.title = cmDlg.DialogTitle;
    request.filter = cmDlg.Filter;
    request.fileName = cmDlg.FileName;
    const std::optional<QString> name = common::showFileDialog(request);
    if (!name || name->isEmpty())
        return std::nullopt;
    cmDlg.FileName = *name;
    return name;
}

void frmTP::openProgram()
{
    const std::optional<QString> name = askFileName(kPrgFile, false);
    if (!name)
        return;
    const Opened<QStringList> read = openProgramFile(*name);
    if (const QString* failure = std::get_if<QString>(&read)) {
        common::MsgBox(*failure);
        return;
    }
    const QStringList& commands = std::get<QStringList>(read);
    Grid->setTextMatrix(0, 1, *name);
    Grid->setRows(1);
    Grid->setRows(int(commands.size()) + 1);
    for (int n = 0; n < commands.size(); ++n) {
        Grid->setTextMatrix(n + 1, 0, common::format000(n));
        Grid->setTextMatrix(n + 1, 1, commands[n]);
    }
}

void frmTP::saveProgram()
{
    QStringList steps;
    QStringList commands;
    for (int r = 1; r < Grid->rows(); ++r) {
        steps.append(Grid->textMatrix(r, 0));
        commands.append(Grid->textMatrix(r, 1));
    }
    const QStringList lines = programFileLines(steps, commands);
    const std::optional<QString> name = askFileName(kPrgFile, true);
    if (!name)
        return;
    if (const auto e = writeTpFile(*name, lines))
        common::MsgBox(e->text());
}

void frmTP::openPoints(const TpFileKind& kind)
{
    const std::optional<QString> name = askFileName(kind, false);
    if (!name)
        return;
    // The grid changes only once the file's lines have all been read.
    const Opened<QList<PointCells>> read = openPointFile(*name, kind);
    if (const QString* failure = std::get_if<QString>(&read)) {
        common::MsgBox(*failure);
        return;
    }
    const QList<PointCells>& values = std::get<QList<PointCells>>(read);
    for (int i = 0; i < values.size(); ++i)
        for (int a = 0; a < 4; ++a)
            LOCGrid->setTextMatrix(i + 1, a + 1, values[i][std::size_t(a)]);
}

void frmTP::savePoints(const TpFileKind& kind)
{
    QList<PointCells> cells(kind.lines);
    for (int i = 0; i < kind.lines; ++i)
        for (int a = 0; a < 4; ++a)
            cells[i][std::size_t(a)] = LOCGrid->textMatrix(i + 1, a + 1);
    const QStringList lines = pointFileLines(cells, kind);
    const std::optional<QString> name = askFileName(kind, true);
    if (!name)
        return;
    if (const auto e = writeTpFile(*name, lines))
        common::MsgBox(e->text());
}

} // namespace pendant
