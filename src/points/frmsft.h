#pragma once
// The shift window: S00..S99 to and from the controller one point or the
// whole table at a time, and the shift file on each side.

#include "pointwindow.h"

namespace points {

class frmSft : public PointWindow {
    Q_OBJECT
public:
    static frmSft& instance();

    void cmdSftLocReceive_Click(int Index) { receiveClick(Index); }
    void cmdSftLocTrans_Click(int Index) { transClick(Index); }
    void txtSftLocReceive_Change(int Index) { receiveNumberChanged(Index); }
    void txtSftLocTrans_Change(int Index) { transNumberChanged(Index); }

    QGroupBox* fraSftTrans = nullptr;
    QGroupBox* fraSftReceive = nullptr;
    QLineEdit* txtSftLocTransFile = nullptr;
    std::array<QLineEdit*, 2> txtSftLocTrans{};
    std::array<QPushButton*, 3> cmdSftLocTrans{};
    QProgressBar* ProgressBarSftLocTrans = nullptr;
    QLineEdit* txtSftLocReceiveFile = nullptr;
    std::array<QLineEdit*, 2> txtSftLocReceive{};
    std::array<QPushButton*, 4> cmdSftLocReceive{};
    QProgressBar* ProgressBarSftLocReceive = nullptr;
    CommonDialog* cmdDlgSftLoc = nullptr;
    std::array<QLabel*, 6> Label1{};

protected:
    void Form_Load() override;

private:
    frmSft();
};

} // namespace points
