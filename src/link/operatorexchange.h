#pragma once
// The one rule for an exchange with the controller, from the operator's
// click (or a service's call) to its end.

#include <functional>

namespace comm {

// One exchange at a time, and a failure told once. Starting a scope does, in
// this order:
//  1. the guard: a scope started from an event that a running exchange's
//     wait served is not owned; the operation does nothing and shows
//     nothing. Within one operation scopes nest: an inner one joins the
//     outermost and only adds its own control (step 5);
//  2. the port check: a closed port is told with the link error box code 1
//     (PortCheck::Tell), passed over silently (Quiet), or not looked at
//     (None: the connect opens the port itself, a service leaves the check
//     to its caller); a closed port ends the operation here;
//  3. the busy flag g_LinkBusy, set by the outermost scope;
//  4. the transfer report: a failure the exchange does not show itself (a
//     block refused for its checksum, an unanswered number word), noted with
//     noteSilentFailure, is told once with the link error box code 0 when
//     the outermost scope finishes its report (at finishReport() or its end);
//  5. the pressed control disabled until the scope ends.
// Ending undoes them in the reverse order.
class OperatorExchange {
public:
    enum class PortCheck { Tell, Quiet, None };
    // Enables (true) or disables (false) the controls the operation holds.
    using EnableControls = std::function<void(bool)>;

    // `owner` names the window the operation belongs to (runningFor).
    explicit OperatorExchange(PortCheck check = PortCheck::None, EnableControls controls = {},
                              const void* owner = nullptr);
    ~OperatorExchange();
    OperatorExchange(const OperatorExchange&) = delete;
    OperatorExchange& operator=(const OperatorExchange&) = delete;

    // The operation may go on: the scope is owned and the port passed.
    explicit operator bool() const { return m_go; }

    // Shows the report's box now if a failure was noted (once; only the
    // outermost scope reports).
    void finishReport();
    // A failure was noted in the running report.
    static bool failureNoted();
    // Notes a silent failure into the running report; nothing without one.
    static void noteSilentFailure();

    // An exchange is running.
    static bool running();
    // An operation of `owner` is running.
    static bool runningFor(const void* owner);
    // The link may be used from here: no exchange runs, or the running one
    // is the caller's own.
    static bool mayUseLink();

private:
    bool m_owned = false;      // step 1 passed: holds a level of the guard
    bool m_go = false;         // step 2 passed
    bool m_outermost = false;  // sets the busy flag and owns the report
    bool m_reported = false;   // the report was finished
    EnableControls m_controls; // step 5 done
    const void* m_owner = nullptr;
};

} // namespace comm
