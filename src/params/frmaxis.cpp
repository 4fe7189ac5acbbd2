#include "frmaxis.h"

#include "parablock.h"

#include "link/moddef.h"

namespace params {

frmAxis& frmAxis::instance()
{
    static auto* w = new frmAxis;
    return *w;
}

frmAxis::frmAxis() : ParaForm(kAxisSet)
{
    txtAxisParaFileName = fileNameBox();
    cmdDlgAxisPara = findChild<ParaFileDialog*>(QStringLiteral("cmdDlgAxisPara"));
    const std::array<QList<QPushButton*>*, 11> rows = {&cmdMotor, &cmdLoop, &cmdCont,  &cmdVolt,  &cmdStep, &cmdCdir,
                                                       &cmdZdir,  &cmdCord, &cmdEndir, &cmdLmtck, &cmdInpos};
    for (std::size_t r = 0; r < rows.size(); ++r)
        *rows[r] = rowButtons(int(r));
}

void InitAxParaDefault()
{
    applyDefaults(kAxisSet);
}
void LoadAxParaFile()
{
    frmAxis::instance().loadParaFile();
}
void SaveAxParaFile()
{
    frmAxis::instance().saveParaFile();
}
void UnpackAxPara()
{
    unpackParaBlock(kAxisSet, comm::g_RxData.data());
}

} // namespace params
