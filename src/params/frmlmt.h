#pragma once
// The limit parameter window: the levels of six signals of the edited axis,
// each a row of "LOW" and "HIGH".

#include "frmpara.h"

namespace params {

class frmLmt : public ParaForm {
    Q_OBJECT
public:
    static frmLmt& instance();

    QLineEdit* txtLmtParaFileName = nullptr;
    ParaFileDialog* cmdDlgLmtPara = nullptr;
    QList<QPushButton*> cmdPosiLmt, cmdNegiLmt, cmdHomeLmt, cmdSverr, cmdSvrst, cmdSvOn;

    void UpdateLmtButton() { updateView(); }
    void InitLmtButton() { initButtons(); }

    void txtLmtParaFileName_Change() { fileNameBox_Change(); }
    void cmdPosiLmt_Click(int Index) { rowChoice(0, Index); }
    void cmdNegiLmt_Click(int Index) { rowChoice(1, Index); }
    void cmdHomeLmt_Click(int Index) { rowChoice(2, Index); }
    void cmdSverr_Click(int Index) { rowChoice(3, Index); }
    void cmdSvrst_Click(int Index) { rowChoice(4, Index); }
    void cmdSvOn_Click(int Index) { rowChoice(5, Index); }

private:
    frmLmt();
};

void LoadLmtParaFile();
void SaveLmtParaFile();
void UnpackLmtPara();

} // namespace params
