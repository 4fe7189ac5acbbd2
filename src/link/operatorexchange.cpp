#include "operatorexchange.h"

#include "moddef.h"
#include "moderror.h"
#include "serialportcontrol.h"

#include "common/events.h"

#include <algorithm>
#include <vector>

namespace comm {

namespace {
// What every scope shares: the levels held, the serving depth the outermost
// was started at, the report's noted failure, and the owners of the scopes
// that went ahead.
struct Running {
    int levels = 0;
    int serveDepth = -1;
    bool failureNoted = false;
    std::vector<const void*> owners;
};

Running& shared()
{
    static Running r;
    return r;
}
} // namespace

OperatorExchange::OperatorExchange(PortCheck check, EnableControls controls, const void* owner)
{
    Running& r = shared();
    const int depth = common::eventServeDepth();
    if (r.levels > 0 && depth != r.serveDepth)
        return;
    m_owned = true;
    m_outermost = r.levels == 0;
    if (m_outermost)
        r.serveDepth = depth;
    ++r.levels;

    if (check != PortCheck::None && !SerialPortControl::MSComm1().PortOpen()) {
        if (check == PortCheck::Tell)
            ShowLinkError(1);
        return;
    }
    m_go = true;
    m_owner = owner;
    r.owners.push_back(owner);
    if (m_outermost) {
        g_LinkBusy = true;
        r.failureNoted = false;
    }
    m_controls = std::move(controls);
    if (m_controls)
        m_controls(false);
}

OperatorExchange::~OperatorExchange()
{
    if (!m_owned)
        return;
    Running& r = shared();
    if (m_go) {
        if (m_controls)
            m_controls(true);
        finishReport();
        if (m_outermost)
            g_LinkBusy = false;
        const auto it = std::find(r.owners.rbegin(), r.owners.rend(), m_owner);
        if (it != r.owners.rend())
            r.owners.erase(std::next(it).base());
    }
    if (--r.levels == 0)
        r.serveDepth = -1;
}

void OperatorExchange::finishReport()
{
    if (!m_go || !m_outermost || m_reported)
        return;
    m_reported = true;
    Running& r = shared();
    if (r.failureNoted) {
        r.failureNoted = false;
        ShowLinkError(0);
    }
}

bool OperatorExchange::failureNoted()
{
    return shared().failureNoted;
}

void OperatorExchange::noteSilentFailure()
{
    if (!shared().owners.empty())
        shared().failureNoted = true;
}

bool OperatorExchange::running()
{
    return shared().levels > 0;
}

bool OperatorExchange::runningFor(const void* owner)
{
    const auto& owners = shared().owners;
    return owner && std::find(owners.begin(), owners.end(), owner) != owners.end();
}

bool OperatorExchange::mayUseLink()
{
    const Running& r = shared();
    return r.levels == 0 || common::eventServeDepth() == r.serveDepth;
}

} // namespace comm
