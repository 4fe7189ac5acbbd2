#include "frmmain.h"

#include "console/consoleexchange.h"
#include "frmsplash.h"

#include "common/events.h"
#include "common/msgbox.h"
#include "common/numbers.h"
#include "common/settings.h"
#include "common/texts.h"
#include "link/moderror.h"
#include "link/modlib.h"
#include "link/serialportcontrol.h"
#include "link/operatorexchange.h"
#include "params/parawindows.h"
#include "pendant/frmtp.h"
#include "points/pointtables.h"
#include "programs/cmdwords.h"

#include <QVBoxLayout>

#include <algorithm>

namespace app {

using namespace comm;
using namespace console;

frmMain& frmMain::instance()
{
    static frmMain* w = new frmMain;
    return *w;
}

frmMain::frmMain()
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("ZEL Communication Program"));
    auto* layout = new QVBoxLayout(this);
    buildMenus();
    layout->setMenuBar(menuBar);
    buildConsole();
    // Never so narrow that the menu bar folds items into an overflow button.
    setMinimumWidth(menuBar->sizeHint().width() + 24);
    common::setMainWindow(this);
    // The link lamp follows the port: off whenever the port closes, also when
    // the port layer closes a failed port.
    connect(&SerialPortControl::MSComm1(), &SerialPortControl::PortClosed, this,
            [this] { imgComm->setPicture(QStringLiteral("imgOff")); });
    m_axisParaTimer.setInterval(50);
    connect(&m_axisParaTimer, &QTimer::timeout, this, [this] { checkAxisParaPending(); });
}

void frmMain::buildMenus()
{
    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    auto item = [this](QAction*& a, const char* name, const char* caption, void (frmMain::*handler)()) {
        a = menuBar->addAction(QString::fromLatin1(caption));
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, handler);
    };
    item(mnuTP, "mnuTP", "Teaching Pendant", &frmMain::mnuTP_Click);
    item(mnuSysPara, "mnuSysPara", "Sys Para", &frmMain::mnuSysPara_Click);
    item(mnuGainPara, "mnuGainPara", "Gain Para", &frmMain::mnuGainPara_Click);
    item(mnuAxisPara, "mnuAxisPara", "Axis Para", &frmMain::mnuAxisPara_Click);
    item(mnuSwPara, "mnuSwPara", "S/W Para", &frmMain::mnuSwPara_Click);
    item(mnuLmtPara, "mnuLmtPara", "Limit Para", &frmMain::mnuLmtPara_Click);
    mnuCommPort = menuBar->addMenu(QStringLiteral("Comm Port"));
    mnuCommPort->setObjectName(QStringLiteral("mnuCommPort"));
    auto sub = [this](QAction*& a, const char* name, const char* caption, void (frmMain::*handler)()) {
        a = mnuCommPort->addAction(QString::fromLatin1(caption));
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, handler);
    };
    sub(mnuCommPortOpen1, "mnuCommPortOpen1", "Open(COM1)", &frmMain::mnuCommPortOpen1_Click);
    sub(mnuCommPortOpen2, "mnuCommPortOpen2", "Open(COM2)", &frmMain::mnuCommPortOpen2_Click);
    sub(mnuCommPortClose, "mnuCommPortClose", "Close", &frmMain::mnuCommPortClose_Click);
}

void frmMain::Form_Load()
{
    m_AlarmArmed = true;
    // Wide enough for the whole menu bar.
    resize(std::max(sizeHint().width(), menuBar->sizeHint().width() + 24), sizeHint().height());
    centreOnScreen();
    SerialPortControl& port = SerialPortControl::MSComm1();
    attachReceiveNotification();
    // A refused stored setting is shown and the port keeps its own value for
    // it; the rest of the load still runs, so every later transfer has its
    // tables.
    const QString settings = common::GetSetting(QStringLiteral("Properties"), QStringLiteral("Settings"));
    if (!settings.isEmpty())
        if (auto e = port.setSettings(settings))
            common::MsgBox(e->text(), common::MsgButtons::Ok, common::kAppTitle, common::MsgIcon::Exclamation);
    const QString handshaking = common::GetSetting(QStringLiteral("Properties"), QStringLiteral("Handshaking"));
    if (!handshaking.isEmpty()) {
        const auto number = common::numericValue(handshaking);
        const auto mode = number ? common::toInt16(*number) : std::nullopt;
        auto e = mode ? port.setHandshaking(*mode) : common::RtError::of(common::err::InvalidPropertyValue);
        if (e)
            common::MsgBox(e->text(), common::MsgButtons::Ok, common::kAppTitle, common::MsgIcon::Exclamation);
    }
    imgComm->setPicture(QStringLiteral("imgOff"));
    initBytePlace();
    points::g_TransLocNo = 0;
    points::g_RcvLocNo = 0;
    params::LoadSysParaFile();
    params::InitParaNames();
    programs::InitCmdWords();
    InitErrMsgs();
    g_RxTail = 0;
    g_RxHead = 0;
    g_RxEvent = false;
    g_LinkBusy = false;
}

void frmMain::connectPort(int portNumber)
{
    SerialPortControl& port = SerialPortControl::MSComm1();
    if (port.PortOpen())
        return;
    const OperatorExchange operation(OperatorExchange::PortCheck::None, {}, this);
    if (!operation)
        return;
    if (auto e = port.setCommPort(portNumber)) {
        common::MsgBox(e->text());
        return;
    }
    if (auto e = port.setPortOpen(true)) {
        // Name the device tried and the setting that names it, so that the
        // operator knows which device is missing, refused or busy, or can
        // point the menu item at another one; a link also with the device
        // it leads to, the one a lock or another program holds.
        const QString named = SerialPortControl::deviceFor(portNumber);
        const QString real = SerialPortControl::realDevice(named);
        const QString device = real == named ? named : QStringLiteral("%1 → %2").arg(named, real);
        const QString detail = QStringLiteral("%1 (Properties/COM%2)").arg(device).arg(portNumber);
        common::MsgBox(e->text(), common::MsgButtons::Ok, common::kAppTitle, common::MsgIcon::None, detail);
        return;
    }
    switch (connectController()) {
    case ConnectAnswer::NoAnswer:
        common::MsgBox(common::texts::kNotConnected);
        port.setPortOpen(false);
        return;
    case ConnectAnswer::Refused:
        return;
    case ConnectAnswer::Connected:
        imgComm->setPicture(QStringLiteral("imgOn"));
        cmdStatus_Click();
        return;
    }
}

void frmMain::mnuCommPortClose_Click()
{
    const OperatorExchange operation(OperatorExchange::PortCheck::Quiet, {}, this);
    if (!operation)
        return;
    if (disconnectController()) {
        imgComm->setPicture(QStringLiteral("imgOff"));
        SerialPortControl::MSComm1().setPortOpen(false);
    } else {
        common::DoEvents();
    }
}

void frmMain::Form_Unload(bool& cancel)
{
    // A window-manager close reaches a disabled window too; and unloading in
    // the middle of an exchange would pull the window from under its wait.
    if (!isEnabled() || OperatorExchange::running()) {
        cancel = true;
        return;
    }
    QList<common::Form*> others = Form::loadedForms();
    others.removeAll(this);
    for (auto it = others.crbegin(); it != others.crend(); ++it) {
        if (!(*it)->Unload()) {
            cancel = true;
            return;
        }
    }
    mnuCommPortClose_Click();
    m_axisParaTimer.stop();
    m_axisParaPending = false;
    endProgram();
}

void frmMain::openDisablingWindow(common::Form& window)
{
    window.Show();
    common::disableMainWindowFor(&window);
}

void frmMain::mnuTP_Click()
{
    // The pendant leaves the main window enabled.
    pendant::frmTP::instance().Show();
}

void frmMain::mnuSysPara_Click()
{
    openDisablingWindow(params::frmSysPara::instance());
}
void frmMain::mnuGainPara_Click()
{
    openDisablingWindow(params::frmGain::instance());
}
void frmMain::mnuSwPara_Click()
{
    openDisablingWindow(params::frmSw::instance());
}
void frmMain::mnuLmtPara_Click()
{
    openDisablingWindow(params::frmLmt::instance());
}

void frmMain::mnuAxisPara_Click()
{
    // Waiting here for the console operation would run inside that
    // operation's own wait and never end: the choice is held instead and
    // the window opens once the operation is over.
    if (OperatorExchange::running()) {
        m_axisParaPending = true;
        m_axisParaTimer.start();
        return;
    }
    openDisablingWindow(params::frmAxis::instance());
}

void frmMain::checkAxisParaPending()
{
    if (!m_axisParaPending) {
        m_axisParaTimer.stop();
        return;
    }
    if (OperatorExchange::running() || common::eventServeDepth() > 0)
        return;
    m_axisParaPending = false;
    m_axisParaTimer.stop();
    openDisablingWindow(params::frmAxis::instance());
}

} // namespace app
