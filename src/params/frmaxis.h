#pragma once
// The axis parameter window: eleven rows of choice buttons for the edited
// axis. Its transfer buttons stay enabled while their exchange runs (a click
// then does nothing), and a failed load keeps what was read.

#include "frmpara.h"

namespace params {

class frmAxis : public ParaForm {
    Q_OBJECT
public:
    static frmAxis& instance();

    QLineEdit* txtAxisParaFileName = nullptr;
    ParaFileDialog* cmdDlgAxisPara = nullptr;
    QList<QPushButton*> cmdMotor, cmdLoop, cmdCont, cmdVolt, cmdStep, cmdCdir, cmdZdir, cmdCord, cmdEndir, cmdLmtck,
        cmdInpos;

    void UpdateAxButton() { updateView(); }
    void InitAxButton() { initButtons(); }

    void txtAxisParaFileName_Change() { fileNameBox_Change(); }
    void cmdMotor_Click(int Index) { rowChoice(0, Index); }
    void cmdLoop_Click(int Index) { rowChoice(1, Index); }
    void cmdCont_Click(int Index) { rowChoice(2, Index); }
    void cmdVolt_Click(int Index) { rowChoice(3, Index); }
    void cmdStep_Click(int Index) { rowChoice(4, Index); }
    void cmdCdir_Click(int Index) { rowChoice(5, Index); }
    void cmdZdir_Click(int Index) { rowChoice(6, Index); }
    void cmdCord_Click(int Index) { rowChoice(7, Index); }
    void cmdEndir_Click(int Index) { rowChoice(8, Index); }
    void cmdLmtck_Click(int Index) { rowChoice(9, Index); }
    void cmdInpos_Click(int Index) { rowChoice(10, Index); }

private:
    frmAxis();
};

void InitAxParaDefault();
void LoadAxParaFile();
void SaveAxParaFile();
void UnpackAxPara();

} // namespace params
