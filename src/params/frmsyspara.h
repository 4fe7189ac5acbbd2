#pragma once
// The system parameter window: thirteen rows of choice buttons and six
// checked boxes. AXES sets the axis count whenever the window applies it.

#include "frmpara.h"

namespace params {

class frmSysPara : public ParaForm {
    Q_OBJECT
public:
    static frmSysPara& instance();

    QLineEdit* txtSysFileName = nullptr;
    ParaFileDialog* cmdDlgSys = nullptr;
    std::array<QLineEdit*, 6> txtSys{};
    std::array<QLabel*, 5> Label1{};
    QList<QPushButton*> cmdAxes, cmdSpin, cmdArch, cmdUpax, cmdZrAx, cmdZrin, cmdCspd, cmdJgio, cmdPsgf, cmdEsgf,
        cmdLock, cmdBrkf, cmdBrax;

    void UpdateSysButton() { updateView(); }
    void InitSysButton() { initButtons(); }
    void updateView() override;

    void txtSysFileName_Change() { fileNameBox_Change(); }
    void txtSys_Change(int Index);
    void cmdAxes_Click(int Index) { rowChoice(0, Index); }
    void cmdSpin_Click(int Index) { rowChoice(1, Index); }
    void cmdArch_Click(int Index) { rowChoice(2, Index); }
    void cmdUpax_Click(int Index) { rowChoice(3, Index); }
    void cmdZrAx_Click(int Index) { rowChoice(4, Index); }
    void cmdZrin_Click(int Index) { rowChoice(5, Index); }
    void cmdCspd_Click(int Index) { rowChoice(6, Index); }
    void cmdJgio_Click(int Index) { rowChoice(7, Index); }
    void cmdPsgf_Click(int Index) { rowChoice(8, Index); }
    void cmdEsgf_Click(int Index) { rowChoice(9, Index); }
    void cmdLock_Click(int Index) { rowChoice(10, Index); }
    void cmdBrkf_Click(int Index) { rowChoice(11, Index); }
    void cmdBrax_Click(int Index) { rowChoice(12, Index); }

protected:
    void ownStep(Step step) override;
    void resetControls() override;
    void rowChosen(int row, int Index) override;

private:
    frmSysPara();
};

// The module procedures of the system set.
void LoadSysParaFile();
void SaveSysParaFile();
void UnpackSysPara();

} // namespace params
