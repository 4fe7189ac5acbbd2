#include "filedialog.h"

#include "events.h"

#include <QApplication>
#include <QFileDialog>

namespace common {

namespace {
FileDialogHandler& handler()
{
    static FileDialogHandler h;
    return h;
}

// "*.dat" -> "*.[dD][aA][tT]", so that the platform's case-sensitive filter
// also offers "ZELLOC.DAT" for "ZELLOC.dat".
QString caseless(const QString& glob)
{
    QString out;
    for (QChar c : glob) {
        if (c.isLetter() && c.toLower() != c.toUpper())
            out += u'[' + QString(c.toLower()) + QString(c.toUpper()) + u']';
        else
            out += c;
    }
    return out;
}

FileDialogResult showReal(const FileDialogRequest& r)
{
    QFileDialog dlg(QApplication::activeWindow(), r.title, r.initialDir);
    dlg.setAcceptMode(r.mode == FileDialogRequest::Mode::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(r.mode == FileDialogRequest::Mode::Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // "Files of type" reads the descriptions alone; the case-free patterns
    // behind them stay out of sight.
    dlg.setOption(QFileDialog::HideNameFilterDetails);
    const QStringList filters = qtNameFilters(r.filter);
    if (!filters.isEmpty()) {
        dlg.setNameFilters(filters);
        const int idx = r.filterIndex - 1;
        if (idx >= 0 && idx < filters.size())
            dlg.selectNameFilter(filters[idx]);
    }
    if (!r.fileName.isEmpty())
        dlg.selectFile(r.fileName);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return {false, dlg.selectedFiles().first()};
}
} // namespace

QStringList qtNameFilters(const QString& filter)
{
    QStringList out;
    const QStringList parts = filter.split(u'|');
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList globs;
        for (const QString& g : parts[i + 1].split(u';', Qt::SkipEmptyParts))
            globs << caseless(g.trimmed());
        out << parts[i] + QStringLiteral(" (") + globs.join(u' ') + u')';
    }
    return out;
}

std::optional<QString> showFileDialog(const FileDialogRequest& request, RtError* cancelError)
{
    EventServeScope serving;
    // While the program ends no dialog opens: as if the operator cancelled.
    const FileDialogResult res = eventLoopsEnding() ? FileDialogResult{}
                                 : handler()        ? handler()(request)
                                                    : showReal(request);
    if (res.cancelled) {
        if (cancelError)
            *cancelError = RtError::of(err::DialogCancelled);
        return std::nullopt;
    }
    return res.fileName;
}

void setFileDialogHandler(FileDialogHandler h)
{
    handler() = std::move(h);
}

} // namespace common
