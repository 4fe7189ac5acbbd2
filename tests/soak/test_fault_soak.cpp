// A fault soak: a few thousand operator-started transfers against the
// controller emulator, every other one with a fault injected at random
// (silence, a wrong echo, a refused word or block, a bad checksum or trailer,
// stray bytes, the line dropped and opened again), at the start of the
// transfer or in the middle of a run. Every transfer must end within its
// time-outs, every failure must be shown, no table or file may hold anything
// but its old contents or what was sent, and the transfer after a fault must
// succeed. ZEL_SOAK_TRANSFERS and ZEL_SOAK_SEED make a longer or another run.

#include "soakclock.h"

#include "app/frmmain.h"
#include "common/events.h"
#include "link/moddef.h"
#include "link/moderror.h"
#include "link/modlib.h"
#include "link/serialportcontrol.h"
#include "params/parablock.h"
#include "params/parahelp.h"
#include "params/parawindows.h"
#include "points/pointexchange.h"
#include "points/pointtables.h"
#include "programs/assembler.h"
#include "programs/cmdwords.h"
#include "programs/folders.h"
#include "programs/lister.h"
#include "programs/prgimage.h"
#include "programs/prgtransfer.h"
#include "programs/programfiles.h"
#include "support/emulink.h"
#include "support/testfiles.h"
#include "support/operatortexts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <vector>

using testsupport::EmulatorLink;

namespace {

using testsupport::texts::kNotConnected;

using testsupport::readAll;

// What a transfer did, as the controller's and the PC's data show it.
struct Result {
    bool complete = false;       // every item arrived where it was sent
    bool consistent = true;      // every table and file holds its old contents or what was sent
    bool silentByDesign = false; // the one failure nothing shows: a status read refusing a block
    int exchanges = 1;           // exchanges the transfer may run (each may time out once)
    QStringList successBoxes;    // what a transfer that succeeds shows
    QString what;
};

enum class FaultKind {
    Silent,
    SilentAfterSoh,
    WrongEcho,
    RefuseWord,
    BadChecksum,
    BadTrailer,
    RefuseBlock,
    StrayBytes,
    DropLine,
};
constexpr int kFaultKinds = 9;

const char* faultName(FaultKind f)
{
    static const char* const names[] = {"silent",        "silent after SOH", "wrong echo",
                                        "refused word",  "bad checksum",     "bad trailer",
                                        "refused block", "stray bytes",      "line dropped"};
    return names[int(f)];
}

int soakTransfers()
{
    const QByteArray n = qgetenv("ZEL_SOAK_TRANSFERS");
    return n.isEmpty() ? 3000 : n.toInt();
}

// The time a transfer may take in real time before it counts as hung.
constexpr int kHangMs = 30000;

QByteArray listing(const std::array<std::uint8_t, 1026>& image)
{
    const programs::PrgImage img =
        programs::unpackPrgImage(QByteArrayView(reinterpret_cast<const char*>(image.data()), 1026));
    QByteArray out;
    for (const QString& line : programs::prgFileLines(img.steps))
        out += line.toLatin1() + "\r\n";
    return out;
}

// A point run's progress: a mid-run fault is injected before item `at`.
struct RunProgress : points::Progress {
    std::function<void(int)> onValue;
    void setMaximum(int) override {}
    void setValue(int v) override
    {
        if (onValue)
            onValue(v);
    }
};

struct PrgView : programs::PrgTransferView {
    QString recvBox;
    QString transBox;
    std::function<void(int)> onNumber;
    void showRecvNumber(int n) override
    {
        if (onNumber)
            onNumber(n);
    }
    void showTransNumber(int n) override
    {
        if (onNumber)
            onNumber(n);
    }
    QString recvFileBox() const override { return recvBox; }
    QString transFileBox() const override { return transBox; }
    void setRecvBar(int) override {}
    void setTransBar(int) override {}
};

const params::ParaSet* const kSets[] = {&params::kSysSet, &params::kGainSet, &params::kAxisSet, &params::kSwSet,
                                        &params::kLmtSet};

using paratest::windowOf;

QByteArray* controllerBlock(emu::State& s, int set)
{
    QByteArray* blocks[] = {&s.sysBlock, &s.gainBlock, &s.axisBlock, &s.swBlock, &s.lmtBlock};
    return blocks[set];
}

std::vector<double> setValues(const params::ParaSet& set)
{
    std::vector<double> v;
    for (int a = 0; a < params::storedAxes(set); ++a)
        for (int f = 0; f < set.fields; ++f)
            v.push_back(set.value(a, f));
    return v;
}

void putSetValues(const params::ParaSet& set, const std::vector<double>& v)
{
    std::size_t i = 0;
    for (int a = 0; a < params::storedAxes(set); ++a)
        for (int f = 0; f < set.fields; ++f)
            set.setValue(a, f, v[i++]);
}

} // namespace

class TestFaultSoak : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    EmulatorLink* m_link = nullptr;
    SoakClock* m_clock = nullptr;
    QRandomGenerator m_rng;
    std::function<void()> m_injectFault; // sets the chosen fault; empty: a clean transfer

    // Sets the chosen fault now, if there is one.
    void injectNow()
    {
        if (m_injectFault)
            std::exchange(m_injectFault, {})();
    }
    // In the middle of a run: when the run's step reaches `at`; otherwise now.
    std::function<void(int)> injectAt(bool midRun, int at)
    {
        if (!midRun) {
            injectNow();
            return {};
        }
        return [this, at](int step) {
            if (step == at)
                injectNow();
        };
    }
    // Counts for the closing line.
    int m_transfers = 0, m_faulted = 0, m_failuresShown = 0, m_survived = 0, m_reopened = 0;
    std::array<int, kFaultKinds> m_byFault{};

    int pick(int n) { return int(m_rng.bounded(n)); }
    std::int32_t value24() { return std::int32_t(m_rng.bounded(1 << 25)) - (1 << 24); }
    emu::State& controller() { return m_link->state(); }

    // ---- points --------------------------------------------------------------

    Result pointRecv(bool midRun)
    {
        const bool loc = pick(4) != 0;
        const points::Table t = loc ? points::Table::Loc : points::Table::Sft;
        const std::span<std::array<std::int32_t, 4>> ctrl =
            loc ? std::span<std::array<std::int32_t, 4>>(controller().loc)
                : std::span<std::array<std::int32_t, 4>>(controller().sft);
        const auto pc = points::entries(t);
        const int count = int(pc.size());
        const bool range = loc && pick(2) == 0;
        const int first = pick(count - 5);
        const int last = range ? first + pick(5) : first;
        std::vector<points::LocPoint> old(pc.begin(), pc.end());
        for (int p = first; p <= last; ++p) {
            for (int a = 0; a < 4; ++a) {
                ctrl[std::size_t(p)][std::size_t(a)] = value24();
                old[std::size_t(p)].ax[std::size_t(a)] = ctrl[std::size_t(p)][std::size_t(a)] + 1;
            }
        }
        std::copy(old.begin(), old.end(), pc.begin());
        RunProgress bar;
        const int at = pick(last - first + 1);
        bar.onValue = injectAt(midRun && range, at);
        points::g_RcvLocNo = std::int16_t(first);
        if (loc)
            points::RecvLocData(range ? 1 : 0, std::int16_t(first), std::int16_t(last), &bar);
        else
            points::RecvSftData(0, &bar);
        m_clock->settle();
        Result r;
        r.what = QStringLiteral("%1 receive %2..%3").arg(loc ? "location" : "shift").arg(first).arg(last);
        r.exchanges = last - first + 1;
        r.complete = true;
        for (int p = 0; p < count; ++p) {
            const points::LocPoint now = pc[std::size_t(p)];
            const bool inRun = p >= first && p <= last;
            const points::LocPoint sent{ctrl[std::size_t(p)]};
            if (inRun && !(now == sent))
                r.complete = false;
            if (!(now == old[std::size_t(p)]) && !(inRun && now == sent))
                r.consistent = false;
        }
        return r;
    }

    Result pointSend(bool midRun)
    {
        const bool loc = pick(4) != 0;
        const points::Table t = loc ? points::Table::Loc : points::Table::Sft;
        const std::span<std::array<std::int32_t, 4>> ctrl =
            loc ? std::span<std::array<std::int32_t, 4>>(controller().loc)
                : std::span<std::array<std::int32_t, 4>>(controller().sft);
        const auto pc = points::entries(t);
        const int count = int(pc.size());
        const bool range = loc && pick(2) == 0;
        const int first = pick(count - 5);
        const int last = range ? first + pick(5) : first;
        for (int p = first; p <= last; ++p) {
            for (int a = 0; a < 4; ++a) {
                pc[std::size_t(p)].ax[std::size_t(a)] = std::int32_t(m_rng.generate());
                ctrl[std::size_t(p)][std::size_t(a)] = pc[std::size_t(p)].ax[std::size_t(a)] ^ 0x55;
            }
        }
        const std::vector<points::LocPoint> pcOld(pc.begin(), pc.end());
        const std::vector<std::array<std::int32_t, 4>> ctrlOld(ctrl.begin(), ctrl.end());
        RunProgress bar;
        const int at = pick(last - first + 1);
        bar.onValue = injectAt(midRun && range, at);
        points::g_TransLocNo = std::int16_t(first);
        if (loc)
            points::SendLocData(range ? 1 : 0, std::int16_t(first), std::int16_t(last), &bar);
        else
            points::SendSftData(0, &bar);
        m_clock->settle();
        Result r;
        r.what = QStringLiteral("%1 send %2..%3").arg(loc ? "location" : "shift").arg(first).arg(last);
        r.exchanges = last - first + 1;
        r.complete = true;
        for (int p = 0; p < count; ++p) {
            const bool inRun = p >= first && p <= last;
            if (!(pc[std::size_t(p)] == pcOld[std::size_t(p)]))
                r.consistent = false;
            const auto& now = ctrl[std::size_t(p)];
            if (inRun && now != pcOld[std::size_t(p)].ax)
                r.complete = false;
            if (now != ctrlOld[std::size_t(p)] && !(inRun && now == pcOld[std::size_t(p)].ax))
                r.consistent = false;
        }
        return r;
    }

    // ---- parameter sets ---------------------------------------------------------

    Result paraRecv()
    {
        const int i = pick(5);
        const params::ParaSet& set = *kSets[i];
        params::ParaForm& w = windowOf(i);
        // The controller holds the defaults (values every box takes); the PC
        // something else.
        params::applyDefaults(set);
        const std::vector<double> defaults = setValues(set);
        const auto block = std::get<std::vector<std::uint8_t>>(params::encodeParaBlock(set, params::blockAxes(set)));
        *controllerBlock(controller(), i) =
            QByteArray(reinterpret_cast<const char*>(block.data()), qsizetype(block.size()));
        std::vector<double> old = defaults;
        for (double& v : old)
            v += 1;
        putSetValues(set, old);
        injectNow();
        w.cmdRcv_Click();
        m_clock->settle();
        Result r;
        r.what = QStringLiteral("%1 receive").arg(QString::fromLatin1(set.window));
        const std::vector<double> now = setValues(set);
        r.complete = now == defaults;
        r.consistent = r.complete || now == old;
        return r;
    }

    Result paraSend()
    {
        const int i = pick(5);
        const params::ParaSet& set = *kSets[i];
        params::ParaForm& w = windowOf(i);
        params::applyDefaults(set);
        const std::vector<double> pcOld = setValues(set);
        const auto block = std::get<std::vector<std::uint8_t>>(params::encodeParaBlock(set, params::blockAxes(set)));
        const QByteArray sent(reinterpret_cast<const char*>(block.data()), qsizetype(block.size()));
        QByteArray& ctrl = *controllerBlock(controller(), i);
        ctrl = QByteArray(sent.size(), '\x5A');
        const QByteArray ctrlOld = ctrl;
        injectNow();
        w.cmdTrans_Click();
        m_clock->settle();
        Result r;
        r.what = QStringLiteral("%1 send").arg(QString::fromLatin1(set.window));
        r.complete = ctrl == sent;
        r.consistent = setValues(set) == pcOld && (ctrl == sent || ctrl == ctrlOld);
        return r;
    }

    // ---- programs ---------------------------------------------------------------

    QString recvDir() const { return m_dir.filePath(QStringLiteral("recv")); }

    Result prgRecv(bool midRun)
    {
        const bool all = pick(10) == 0;
        const int n = pick(32);
        QDir dir(recvDir());
        for (const QString& f : dir.entryList(QDir::Files))
            dir.remove(f);
        programs::save_directory = recvDir();
        for (int k = 0; k < 32; ++k) {
            auto& img = controller().programs[std::size_t(k)];
            for (auto& b : img)
                b = std::uint8_t(m_rng.bounded(256));
        }
        PrgView view;
        view.recvBox = recvDir();
        const int at = pick(32);
        view.onNumber = injectAt(all && midRun, at);
        programs::g_RecvFileNo = std::int16_t(n);
        programs::RecvPrgFile(all ? 1 : 0, &view);
        m_clock->settle();
        Result r;
        r.what = all ? QStringLiteral("program receive, all") : QStringLiteral("program receive %1").arg(n);
        r.exchanges = all ? 32 : 1;
        r.complete = true;
        for (int k = 0; k < 32; ++k) {
            const QString path = programs::defaultPrgFile(recvDir(), k);
            const bool wanted = all || k == n;
            const bool exists = QFile::exists(path);
            if (wanted && (!exists || readAll(path) != listing(controller().programs[std::size_t(k)])))
                r.complete = false;
            if (exists && (!wanted || readAll(path) != listing(controller().programs[std::size_t(k)])))
                r.consistent = false;
        }
        return r;
    }

    Result prgSend()
    {
        const int n = pick(32);
        QStringList lines;
        const int steps = 1 + pick(40);
        for (int s = 0; s < steps; ++s) {
            switch (pick(3)) {
            case 0:
                lines << QStringLiteral("MVE P%1").arg(pick(1000), 3, 10, QLatin1Char('0'));
                break;
            case 1:
                lines << QStringLiteral("DLY %1").arg(pick(1000000), 6, 10, QLatin1Char('0'));
                break;
            default:
                lines << QStringLiteral("SIGB -%1").arg(1 + pick(24), 2, 10, QLatin1Char('0'));
                break;
            }
        }
        lines << QStringLiteral("[EOF]");
        const QString path = m_dir.filePath(QStringLiteral("send.dat"));
        {
            QFile f(path);
            f.open(QIODevice::WriteOnly | QIODevice::Truncate);
            f.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1());
        }
        const QByteArray fileBefore = readAll(path);
        // What the transfer must put on the controller: the file assembled.
        if (!programs::AsmPrgFile(std::int16_t(n), path, 4))
            qFatal("the soak's own program does not assemble");
        const QByteArray expected = programs::packPrgImage(programs::modulePrgImage(n));
        auto& ctrl = controller().programs[std::size_t(n)];
        ctrl.fill(0xA5);
        const auto ctrlOld = ctrl;
        PrgView view;
        view.transBox = path;
        injectNow();
        programs::g_TransFileNo = std::int16_t(n);
        programs::TransPrgFile(0, &view);
        m_clock->settle();
        Result r;
        r.what = QStringLiteral("program send %1").arg(n);
        const QByteArray now(reinterpret_cast<const char*>(ctrl.data()), 1026);
        r.complete = now == expected;
        r.consistent = readAll(path) == fileBefore && (r.complete || ctrl == ctrlOld);
        return r;
    }

    // ---- console ----------------------------------------------------------------

    struct ConsoleAction {
        const char* name;
        int code;        // the action's own exchange, 0: none
        bool statusRead; // a status read follows
        std::function<void(app::frmMain&)> click;
    };

    Result console()
    {
        static const std::vector<ConsoleAction> actions = {
            {"SERVO ON", comm::CMD_SERVO_ON, true, [](app::frmMain& m) { m.cmdSvOn_Click(0); }},
            {"SERVO OFF", comm::CMD_SERVO_OFF, true, [](app::frmMain& m) { m.cmdSvOn_Click(1); }},
            {"ALARM RESET", comm::CMD_ALARM_RESET, true, [](app::frmMain& m) { m.cmdSvOn_Click(2); }},
            {"I/O ALL ON", comm::CMD_IO_ALL_ON, true, [](app::frmMain& m) { m.cmdIoAllOnOff_Click(0); }},
            {"I/O ALL OFF", comm::CMD_IO_ALL_OFF, true, [](app::frmMain& m) { m.cmdIoAllOnOff_Click(1); }},
            {"RUN", comm::CMD_RUN, true, [](app::frmMain& m) { m.cmdRun_Click(0); }},
            {"zero return", comm::CMD_ZR, false, [](app::frmMain& m) { m.cmdZR_Click(0); }},
            {"output 12", comm::CMD_SET_OUTPUT, false, [](app::frmMain& m) { m.chkIoOutput_Click(12); }},
            {"Error Check", comm::CMD_READ_ERROR, true, [](app::frmMain& m) { m.cmderr_Click(); }},
            {"status read", 0, true, [](app::frmMain& m) { m.cmdStatus_Click(); }},
        };
        const ConsoleAction& a = actions[std::size_t(pick(int(actions.size())))];
        emu::State& st = controller();
        st.outputs &= ~1u; // no alarm: a good status read shows nothing
        st.errCode = std::int16_t(pick(130));
        st.errValue = std::int16_t(pick(5));
        const auto before = st.completed;
        const int refusedBefore = st.blocksRefusedByPc;
        injectNow();
        a.click(app::frmMain::instance());
        m_clock->settle();
        Result r;
        r.what = QString::fromLatin1(a.name);
        r.exchanges = (a.code ? 1 : 0) + (a.statusRead ? 2 : 0);
        const bool actionDone = a.code == 0 || st.completed[std::size_t(a.code)] == before[std::size_t(a.code)] + 1;
        const bool statusDone =
            !a.statusRead || (st.completed[comm::CMD_READ_INPUTS] == before[comm::CMD_READ_INPUTS] + 1 &&
                              st.completed[comm::CMD_READ_OUTPUTS] == before[comm::CMD_READ_OUTPUTS] + 1);
        r.complete = actionDone && statusDone;
        // The status read refuses a bad block without a word: the lamps and
        // boxes simply keep what they showed.
        r.silentByDesign = actionDone && !statusDone && st.blocksRefusedByPc > refusedBefore;
        // A command whose handshake was answered with a wrong echo is ended
        // with the abort word and no box of its own; without a status read
        // after it (zero return, output switching) nothing more is shown.
        if (!actionDone && !a.statusRead && !m_link->boxes.texts().contains(kNotConnected) &&
            m_link->emulator().pcBytes().endsWith(QByteArray("\x00\x00\x10", 3)))
            r.silentByDesign = true;
        if (a.code == comm::CMD_READ_ERROR)
            r.successBoxes = {comm::ctrlErrorMessage(st.errCode, st.errValue)};
        return r;
    }

    // ---- the soak -------------------------------------------------------------

    Result runOne(int kind, bool midRun)
    {
        switch (kind) {
        case 0:
            return pointRecv(midRun);
        case 1:
            return pointSend(midRun);
        case 2:
            return paraRecv();
        case 3:
            return paraSend();
        case 4:
            return prgRecv(midRun);
        case 5:
            return prgSend();
        default:
            return console();
        }
    }

    void chooseFault(FaultKind f)
    {
        emu::Faults& faults = m_link->faults();
        QByteArray stray;
        for (int i = 0, n = 1 + pick(3); i < n; ++i)
            stray.append(char(m_rng.bounded(256)));
        m_injectFault = [&faults, f, stray] {
            switch (f) {
            case FaultKind::Silent:
                faults.silent = true;
                break;
            case FaultKind::SilentAfterSoh:
                faults.silentAfterSoh = true;
                break;
            case FaultKind::WrongEcho:
                faults.wrongEcho = true;
                break;
            case FaultKind::RefuseWord:
                faults.refuseWord = true;
                break;
            case FaultKind::BadChecksum:
                faults.badChecksum = true;
                break;
            case FaultKind::BadTrailer:
                faults.badTrailer = true;
                break;
            case FaultKind::RefuseBlock:
                faults.refuseBlock = true;
                break;
            case FaultKind::StrayBytes:
                faults.strayBytes = stray;
                break;
            case FaultKind::DropLine:
                faults.dropLineNow = true;
                break;
            }
        };
    }

    // After a fault: the controller forgets its half-done exchange, as its
    // own time-out would make it, and a dropped line is opened again as the
    // operator would.
    void recover()
    {
        m_link->faults() = emu::Faults{};
        m_link->emulator().resetExchange();
        comm::SerialPortControl& port = comm::SerialPortControl::MSComm1();
        if (m_link->emulator().lineUp() && port.PortOpen() && !port.failed())
            return;
        ++m_reopened;
        port.setPortOpen(false);
        m_link->emulator().dropLine();
        QVERIFY(m_link->emulator().start());
        m_link->settings.values[QStringLiteral("Properties/COM1")] = m_link->emulator().slavePath();
        const auto e = port.setPortOpen(true);
        QVERIFY2(!e.has_value(), e ? qPrintable(QStringLiteral("reopening %1: %2 (%3)")
                                                    .arg(m_link->emulator().slavePath(), e->text(), port.openFailure()))
                                   : "");
        m_clock->rebase();
    }

private slots:
    void initTestCase()
    {
        const QByteArray seed = qgetenv("ZEL_SOAK_SEED");
        const quint32 s = seed.isEmpty() ? 20240611u : quint32(seed.toUInt());
        m_rng.seed(s);
        qInfo("soak seed %u", s);
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir().mkpath(recvDir()));
        programs::InitCmdWords();
        params::InitParaNames();
        m_link = new EmulatorLink(4);
        QVERIFY(m_link->ok());
        m_clock = new SoakClock(*m_link);
        app::frmMain::instance().Load();
        for (int i = 0; i < 5; ++i)
            windowOf(i).Show();
        comm::g_AxisCount = 4;
    }

    void cleanupTestCase()
    {
        delete m_clock;
        delete m_link;
    }

    void transfersSurviveFaults()
    {
        const int total = soakTransfers();
        Watchdog watchdog;
        bool lastFaulted = false;
        for (m_transfers = 0; m_transfers < total; ++m_transfers) {
            // Every other transfer at most carries a fault: the one after a
            // fault must succeed.
            const bool faulted = !lastFaulted && pick(2) == 0;
            const FaultKind fault = FaultKind(pick(kFaultKinds));
            if (faulted)
                chooseFault(fault);
            const bool midRun = pick(2) == 0;
            const int kind = pick(7);
            m_link->boxes.clear();
            m_clock->startTransfer();
            watchdog.arm(kHangMs);
            const Result r = runOne(kind, midRun);
            watchdog.disarm();
            // A fault meant for the middle of a run that ended first never came.
            const bool faultCame = faulted && !m_injectFault;
            m_injectFault = {};
            const QStringList boxes = m_link->boxes.texts();
            const QString where =
                QStringLiteral("transfer %1 (%2%3): boxes [%4]")
                    .arg(m_transfers)
                    .arg(r.what)
                    .arg(faultCame ? QStringLiteral(", ") + QLatin1String(faultName(fault)) : QString())
                    .arg(boxes.join(u'|'));
            // Ends within its time-outs: each exchange times out at most once.
            QVERIFY2(m_clock->jumps() <= 2 * r.exchanges,
                     qPrintable(where + QStringLiteral(", %1 jumps of the clock").arg(m_clock->jumps())));
            QVERIFY2(r.consistent, qPrintable(where + QStringLiteral(": a table or file was changed by a failure")));
            if (!faultCame) {
                QVERIFY2(r.complete && boxes == r.successBoxes,
                         qPrintable(where + QStringLiteral(": a clean transfer failed")));
                QVERIFY2(!m_link->emulator().inExchange(),
                         qPrintable(where + QStringLiteral(": the exchange was left open")));
            } else {
                ++m_faulted;
                ++m_byFault[std::size_t(fault)];
                const bool shown = boxes != r.successBoxes;
                if (!r.complete && !r.silentByDesign)
                    QVERIFY2(shown, qPrintable(where + QStringLiteral(": a failure was not shown")));
                if (r.complete && !shown)
                    ++m_survived;
                if (shown)
                    ++m_failuresShown;
                recover();
                if (QTest::currentTestFailed())
                    return;
            }
            lastFaulted = faultCame;
        }
        QStringList per;
        for (int f = 0; f < kFaultKinds; ++f)
            per << QStringLiteral("%1 %2").arg(QLatin1String(faultName(FaultKind(f)))).arg(m_byFault[std::size_t(f)]);
        qInfo("%d transfers, %d with a fault (%s): %d failures shown, %d survived the fault, %d reopened lines; "
              "0 hangs, 0 unreported failures, 0 corrupted tables",
              m_transfers, m_faulted, qPrintable(per.join(QStringLiteral(", "))), m_failuresShown, m_survived,
              m_reopened);
    }
};

int main(int argc, char** argv)
{
    // QtTest ends a test function after five minutes. A hang is caught per
    // transfer; a long soak, run side by side with others on a busy
    // machine, gets time in proportion to its transfers.
    if (qEnvironmentVariableIsEmpty("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(std::max(300000, soakTransfers() * 100)));
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestFaultSoak test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "test_fault_soak.moc"
