#pragma once
// The one seam through which the program asks the operator for a file name.
// Production: QFileDialog. Tests install a handler that answers. Cancelling
// is error 32755, which ends the command silently.

#include "rterror.h"

#include <QString>

#include <functional>
#include <optional>

namespace common {

struct FileDialogRequest {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    QString title;
    // Filter pairs as "description|pattern|description|pattern"; a pattern
    // may hold several globs joined by ";".
    QString filter;
    int filterIndex = 1;
    QString fileName; // proposed name, possibly with a folder
    QString initialDir;
};

struct FileDialogResult {
    bool cancelled = true;
    QString fileName;
};

using FileDialogHandler = std::function<FileDialogResult(const FileDialogRequest&)>;

// The chosen file name, or the cancel error (32755); cancelled without a
// dialog while the program ends.
std::optional<QString> showFileDialog(const FileDialogRequest& request, RtError* cancelError = nullptr);

void setFileDialogHandler(FileDialogHandler handler); // empty: the real dialog

// "Text (*.dat)|*.dat" as Qt name filters ("Text (*.dat)"), the patterns
// matched without regard to letter case (this platform's names are case
// sensitive, the operator's habits are not).
QStringList qtNameFilters(const QString& filter);

} // namespace common
