#include "emulink.h"

#include "link/moddef.h"
#include "link/moderror.h"
#include "link/modlib.h"
#include "link/serialportcontrol.h"
#include "support/testfiles.h"

#include <QTest>

namespace testsupport {

namespace {
void resetLinkVariables()
{
    comm::g_RxHead = comm::g_RxTail = 0;
    comm::rxOverflow = false;
    comm::g_RxEvent = false;
    comm::g_LinkBusy = false;
    comm::g_InBytes.clear();
}
} // namespace

EmulatorLink::EmulatorLink(int axisCount, emu::Contents contents) : m_emu(axisCount, contents)
{
    comm::g_AxisCount = std::int16_t(axisCount);
    comm::InitErrMsgs();
    comm::initBytePlace();
    comm::attachReceiveNotification();
    resetLinkVariables();
    if (!m_emu.start())
        return;
    settings.values[QStringLiteral("Properties/COM1")] = m_emu.slavePath();
    comm::SerialPortControl& port = comm::SerialPortControl::MSComm1();
    port.setPortOpen(false);
    port.setCommPort(1);
    m_ok = !port.setPortOpen(true).has_value();
}

EmulatorLink::~EmulatorLink()
{
    comm::SerialPortControl::MSComm1().setPortOpen(false);
    resetLinkVariables();
}

bool EmulatorLink::waitForPcBytes(int count, int ms)
{
    return QTest::qWaitFor([&] { return m_emu.bytesFromPc() >= quint64(count); }, ms);
}

void EmulatorLink::settle(const std::function<QString()>& now, const QString& expected, int quietMs, int ms)
{
    if (QTest::qWaitFor([&] { return now() == expected; }, ms))
        (void)QTest::qWaitFor([&] { return now() != expected; }, quietMs); // a change ends the quiet at once
}

void EmulatorLink::settleTrace(const QString& expected, int quietMs)
{
    settle([this] { return trace(); }, expected, quietMs);
}

void EmulatorLink::settlePcBytes(const QString& expectedHex, int quietMs)
{
    settle([this] { return hex(m_emu.pcBytes()); }, expectedHex, quietMs);
}

} // namespace testsupport
