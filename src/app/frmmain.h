#pragma once
// The main window: the operator console, the serial port menu with connect
// and disconnect, and the menus that open the other windows.

#include "lamp.h"

#include "common/form.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include <array>
#include <functional>

namespace app {

class frmMain : public common::Form {
    Q_OBJECT
public:
    static frmMain& instance();

    // Frame: serial port menu and window menus.
    void mnuCommPortOpen1_Click() { connectPort(1); }
    void mnuCommPortOpen2_Click() { connectPort(2); }
    void mnuCommPortClose_Click();
    void mnuTP_Click();
    void mnuSysPara_Click();
    void mnuGainPara_Click();
    void mnuAxisPara_Click();
    void mnuSwPara_Click();
    void mnuLmtPara_Click();

    // Console.
    void chkIoOutput_Click(int Index);
    void cmdIoAllOnOff_Click(int Index);
    void cmdRun_Click(int Index);
    void cmdSvOn_Click(int Index);
    void cmdZR_Click(int Index);
    void cmderr_Click();
    void cmdStatus_Click();
    void txtRunPrgNo_Change();

    // The Axis Para choice made during a console operation, waiting for its end.
    bool axisParaPending() const { return m_axisParaPending; }

    // Controls.
    QMenuBar* menuBar = nullptr;
    QAction* mnuTP = nullptr;
    QAction* mnuSysPara = nullptr;
    QAction* mnuGainPara = nullptr;
    QAction* mnuAxisPara = nullptr;
    QAction* mnuSwPara = nullptr;
    QAction* mnuLmtPara = nullptr;
    QMenu* mnuCommPort = nullptr;
    QAction* mnuCommPortOpen1 = nullptr;
    QAction* mnuCommPortOpen2 = nullptr;
    QAction* mnuCommPortClose = nullptr;

    Lamp* imgComm = nullptr;
    std::array<Lamp*, 3> imgruncomm{};
    std::array<QCheckBox*, 32> chkIoOutput{};
    std::array<QCheckBox*, 32> chkIoInput{};
    std::array<QPushButton*, 2> cmdIoAllOnOff{};
    std::array<QPushButton*, 3> cmdRun{};
    QLineEdit* txtRunPrgNo = nullptr;
    std::array<QPushButton*, 3> cmdSvOn{};
    std::array<QPushButton*, 2> cmdZR{};
    QPushButton* cmdStatus = nullptr;
    QPushButton* cmderr = nullptr;

    // Window variables.
    bool m_AlarmArmed = false;
    bool m_Running = false;

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

private:
    frmMain();
    void buildMenus();
    void buildConsole();
    void connectPort(int port);
    void openDisablingWindow(common::Form& window);
    void runConsoleAction(QPushButton* pressed, bool statusRead, const std::function<void()>& exchange);
    void setRunButtonsEnabled(bool enabled);
    void checkAxisParaPending();

    bool m_axisParaPending = false;
    QTimer m_axisParaTimer;
};

// The state of each output (1 on, 0 off) as the last status read found it.
extern std::array<std::int16_t, 32> g_OutState;

} // namespace app
