#include "frmsw.h"

#include "parablock.h"

#include "common/numbers.h"
#include "link/moddef.h"

namespace params {

namespace {
constexpr int kFields = 18;
constexpr int kLastHundredths = 6;
constexpr const char* kLabels[] = {"CR",  "LL",  "UL",  "OFF",   "ERR",   "VEL",   "GEB",   "GEA",   "ACC",
                                   "DCC", "INP", "PUL", "C_VEL", "F_VEL", "Z_ACC", "P_ACC", "RATIO", "JLOCK"};
} // namespace

QString swBoxText(int field, double held)
{
    if (field <= kLastHundredths)
        return common::formatFixed2(held / 100);
    if (held == 0)
        return QStringLiteral("0");
    return QString::number(held, 'g', 15);
}

frmSw& frmSw::instance()
{
    static auto* w = new frmSw;
    return *w;
}

frmSw::frmSw() : ParaForm(kSwSet)
{
    txtSwFileName = fileNameBox();
    cmdDlgSwPara = findChild<ParaFileDialog*>(QStringLiteral("cmdDlgSwPara"));
    for (int k = 0; k < kFields; ++k) {
        auto* label = new QLabel(QString::fromLatin1(kLabels[k]), this);
        label->setObjectName(QStringLiteral("Label1_%1").arg(k));
        body()->addWidget(label, k, 0);
        Label1[std::size_t(k)] = label;
        auto* box = new QLineEdit(QStringLiteral("0"), this);
        box->setObjectName(QStringLiteral("txtSw_%1").arg(k));
        connect(box, &QLineEdit::textChanged, this, [this, k] { txtSw_Change(k); });
        body()->addWidget(box, k, 1);
        txtSw[std::size_t(k)] = box;
    }
    body()->setColumnStretch(1, 1);
    Label1[18] = findChild<QLabel*>(QStringLiteral("Label1_18"));
}

void frmSw::resetControls()
{
    ParaForm::resetControls();
    for (QLineEdit* box : txtSw) {
        const QSignalBlocker quiet(box);
        box->setText(QStringLiteral("0"));
    }
}

void frmSw::updateView()
{
    for (int k = 0; k < kFields; ++k)
        txtSw[std::size_t(k)]->setText(swBoxText(k, g_SwPara[std::size_t(editedAxis())][std::size_t(k)]));
}

void frmSw::txtSw_Change(int Index)
{
    if (Index < 0 || Index >= kFields)
        return;
    const int axis = editedAxis();
    checkBox(txtSw[std::size_t(Index)], swBoxRule(Index),
             [axis, Index](double v) { g_SwPara[std::size_t(axis)][std::size_t(Index)] = v; });
}

void frmSw::valueRefused(const BlockRefusal& refusal)
{
    showBoxMessage(QString::fromUtf8(swBoxRule(refusal.field).rangeMessage));
}

void LoadSwParaFile()
{
    frmSw::instance().loadParaFile();
}
void SaveSwParaFile()
{
    frmSw::instance().saveParaFile();
}
void UnpackSwPara()
{
    unpackParaBlock(kSwSet, comm::g_RxData.data());
}

} // namespace params
