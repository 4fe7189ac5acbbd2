#include "frmsyspara.h"

#include "parablock.h"

#include "common/numbers.h"
#include "link/moddef.h"

namespace params {

namespace {
// The boxes txtSys(0..5) hold fields 13 to 18.
constexpr int kFirstBoxField = 13;
constexpr const char* kBoxLabels[] = {"PSIG", "ESIG", "ZRNO", "BRON", "BROF", "MSPD"};
constexpr const char* kBoxLabelNames[] = {"sysLabel_12", "sysLabel_13", "sysLabel_14",
                                          "sysLabel_15", "sysLabel_16", "sysLabel_17"};
constexpr const char* kUnits[] = {"HEX", "HEX", "HEX", "msec", "msec"};
} // namespace

frmSysPara& frmSysPara::instance()
{
    static auto* w = new frmSysPara;
    return *w;
}

frmSysPara::frmSysPara() : ParaForm(kSysSet)
{
    txtSysFileName = fileNameBox();
    cmdDlgSys = findChild<ParaFileDialog*>(QStringLiteral("cmdDlgSys"));
    const std::array<QList<QPushButton*>*, 13> rows = {&cmdAxes, &cmdSpin, &cmdArch, &cmdUpax, &cmdZrAx,
                                                       &cmdZrin, &cmdCspd, &cmdJgio, &cmdPsgf, &cmdEsgf,
                                                       &cmdLock, &cmdBrkf, &cmdBrax};
    for (std::size_t r = 0; r < rows.size(); ++r)
        *rows[r] = rowButtons(int(r));

    const int first = int(kSysSet.rows.size());
    for (int i = 0; i < 6; ++i) {
        auto* label = new QLabel(QString::fromLatin1(kBoxLabels[i]), this);
        label->setObjectName(QString::fromLatin1(kBoxLabelNames[i]));
        body()->addWidget(label, first + i, 0);
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("txtSys_%1").arg(i));
        // Boxes 0 to 4 take six typed characters; MSPD has no limit.
        if (i < 5)
            box->setValidator(new TypingLimit(6, box));
        connect(box, &QLineEdit::textChanged, this, [this, i] { txtSys_Change(i); });
        body()->addWidget(box, first + i, 1, 1, 3);
        txtSys[std::size_t(i)] = box;
        if (i < 5) {
            auto* unit = new QLabel(QString::fromLatin1(kUnits[i]), this);
            unit->setObjectName(QStringLiteral("Label1_%1").arg(i));
            body()->addWidget(unit, first + i, 4);
            Label1[std::size_t(i)] = unit;
        }
    }
}

void frmSysPara::resetControls()
{
    ParaForm::resetControls();
    for (QLineEdit* box : txtSys) {
        const QSignalBlocker quiet(box);
        box->clear();
    }
}

void frmSysPara::ownStep(Step step)
{
    if (step != Step::ForceOpeningValues)
        return;
    g_SysPara[sys::AXES] = comm::g_AxisCount - 2;
    g_SysPara[sys::ARCH] = 1;
    g_SysPara[sys::UPAX] = 1;
    g_SysPara[sys::ZRAX] = 1;
    g_SysPara[sys::CSPD] = 1;
}

void frmSysPara::rowChosen(int row, int Index)
{
    if (kSysSet.rows[std::size_t(row)].field == sys::AXES)
        comm::g_AxisCount = std::int16_t(Index + 2);
}

void frmSysPara::updateView()
{
    applyAxesToAxisCount();
    paintChosen();
    for (int i = 0; i < 6; ++i) {
        const std::int32_t v = g_SysPara[std::size_t(kFirstBoxField + i)];
        // A box whose text changes runs its check, which may refuse the value.
        txtSys[std::size_t(i)]->setText(i < 3 ? common::formatHex(std::uint32_t(v)) : common::formatInt(v));
    }
}

void frmSysPara::txtSys_Change(int Index)
{
    if (Index < 0 || Index >= 6)
        return;
    checkBox(txtSys[std::size_t(Index)], kSysBoxes[Index],
             [Index](double v) { g_SysPara[std::size_t(kFirstBoxField + Index)] = std::int32_t(v); });
}

void LoadSysParaFile()
{
    frmSysPara::instance().loadParaFile();
}
void SaveSysParaFile()
{
    frmSysPara::instance().saveParaFile();
}
void UnpackSysPara()
{
    unpackParaBlock(kSysSet, comm::g_RxData.data());
}

} // namespace params
