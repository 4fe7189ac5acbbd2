#include "prgwriter.h"

#include "lister.h"
#include "prgimage.h"

#include "common/filenumbers.h"
#include "common/textfile.h"

#include <span>

namespace programs {

QString writerErrorText(const common::RtError& e)
{
    // The number is written with the blank that stands for its sign.
    const QString number = e.number < 0 ? QString::number(e.number) : u' ' + QString::number(e.number);
    return QStringLiteral("오류 # ") + number + QStringLiteral("이(가) ") + e.source +
           QStringLiteral("에 의해 생성되었습니다.") + u'\r' + e.description;
}

bool writePrgFile(const QString& path, const Tell& tell)
{
    std::optional<common::RtError> failure;
    {
        common::FileNumber file(common::FileNumber::Writer);
        if (!file.claimed())
            failure = common::RtError::of(common::err::FileAlreadyOpen);
        else
            failure = common::writeTextLines(path, prgFileLines(std::span(g_PrgImage).first(kPrgSteps)));
    }
    if (!failure)
        return true;
    tell(writerErrorText(*failure));
    // A writer still holding the number would make every later program fail.
    if (failure->number == common::err::FileAlreadyOpen)
        common::FileNumber::close(common::FileNumber::Writer);
    return false;
}

} // namespace programs
