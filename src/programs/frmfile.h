#pragma once
// The program-transfer window: one program file or all 32 default files sent
// to the controller, one program or all 32 received into program files, the
// folder and file of each side chosen with the folder chooser.

#include "prgtransfer.h"

#include "common/form.h"
#include "link/operatorexchange.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <array>

namespace programs {

class frmFile : public common::Form, private PrgTransferView {
    Q_OBJECT
public:
    static frmFile& instance();

    void cmdFileReceive_Click(int Index);
    void cmdFileTrans_Click(int Index);
    void cmdFileReceiveOpen_Click();
    void cmdFileTransOpen_Click();
    void txtFileReceive_Change(int Index);
    void txtFileTrans_Change(int Index);

    // The program number a receive takes from the receive number box (0 for
    // an empty box), which is also the one whose file is proposed.
    int recvNumberUsed() const;

    // A transfer of this window is going on (the window will not close).
    bool running() const;

    QGroupBox* fraFileTrans = nullptr;
    QGroupBox* fraFileReceive = nullptr;
    std::array<QLabel*, 6> Label1{};            // 2..5 are used
    std::array<QLineEdit*, 2> txtFileTrans{};   // 0 the file, 1 the program number
    std::array<QLineEdit*, 2> txtFileReceive{}; // likewise
    QPushButton* cmdFileTransOpen = nullptr;
    QPushButton* cmdFileReceiveOpen = nullptr;
    std::array<QPushButton*, 2> cmdFileTrans{};   // "Trans", "ALL Trans"
    std::array<QPushButton*, 2> cmdFileReceive{}; // "Receive ", "ALL Receive"
    QProgressBar* ProgressBarTrans = nullptr;
    QProgressBar* ProgressBarReceive = nullptr;

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

private:
    frmFile();
    void numberChanged(bool transSide, int index);
    // Every control that starts a transfer or changes what it uses is
    // disabled while one runs.
    void setTransferControlsEnabled(bool enabled);
    comm::OperatorExchange::EnableControls transferControls();

    void showRecvNumber(int n) override;
    void showTransNumber(int n) override;
    QString recvFileBox() const override;
    QString transFileBox() const override;
    void setRecvBar(int value) override;
    void setTransBar(int value) override;

    // Remembered between openings.
    QString m_RecvFileName;
    QString m_TransFileName;
};

} // namespace programs
