#include "frmlmt.h"

#include "parablock.h"

#include "link/moddef.h"

namespace params {

frmLmt& frmLmt::instance()
{
    static auto* w = new frmLmt;
    return *w;
}

frmLmt::frmLmt() : ParaForm(kLmtSet)
{
    txtLmtParaFileName = fileNameBox();
    cmdDlgLmtPara = findChild<ParaFileDialog*>(QStringLiteral("cmdDlgLmtPara"));
    const std::array<QList<QPushButton*>*, 6> rows = {&cmdPosiLmt, &cmdNegiLmt, &cmdHomeLmt,
                                                      &cmdSverr,   &cmdSvrst,   &cmdSvOn};
    for (std::size_t r = 0; r < rows.size(); ++r)
        *rows[r] = rowButtons(int(r));
}

void LoadLmtParaFile()
{
    frmLmt::instance().loadParaFile();
}
void SaveLmtParaFile()
{
    frmLmt::instance().saveParaFile();
}
void UnpackLmtPara()
{
    unpackParaBlock(kLmtSet, comm::g_RxData.data());
}

} // namespace params
