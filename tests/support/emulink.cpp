#include "emulink.h"

#include "link/moddef.h"
#include "link/moderror.h"
#include "link/modlib.h"
#include "link/mscomm.h"

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
    comm::InitBytePlace();
    comm::AttachReceiveNotification();
    resetLinkVariables();
    if (!m_emu.start())
        return;
    settings.values[QStringLiteral("Properties/COM1")] = m_emu.slavePath();
    comm::MSComm& port = comm::MSComm::MSComm1();
    port.setPortOpen(false);
    port.setCommPort(1);
    m_ok = !port.setPortOpen(true).has_value();
}

EmulatorLink::~EmulatorLink()
{
    comm::MSComm::MSComm1().setPortOpen(false);
    resetLinkVariables();
}

bool EmulatorLink::waitForPcBytes(int count, int ms)
{
    return QTest::qWaitFor([&] { return m_emu.bytesFromPc() >= quint64(count); }, ms);
}

} // namespace testsupport
