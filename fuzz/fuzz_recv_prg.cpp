// Program receives (one program or all 32) fed any controller answers. A
// program file is written exactly for each image the PC accepted, and holds
// the listing of that image; a failed receive writes no file and leaves the
// module's image and header entries as they were, and is shown.

#include "support/controllerfeed.h"
#include "support/fuzzsupport.h"

#include "link/controlbytes.h"
#include "link/moddef.h"
#include "programs/folders.h"
#include "programs/lister.h"
#include "programs/prgimage.h"
#include "programs/prgtransfer.h"

#include <QDir>

using namespace comm;
using fuzz::ControllerFeed;

namespace {

const QString kLinkError0 = QStringLiteral("통신이상 발생");
const QString kNotConnected = QStringLiteral("통신이 연결되지 않았습니다.");
constexpr programs::StepWord kMarkerWord = 0x7F00BEEFu;
constexpr std::int32_t kMarkerHeader = -5;

// The transfer window as the procedures see it: its receive box names the
// folder, so every program goes to its default file.
struct View : programs::PrgTransferView {
    QList<int> numbers;
    bool barInRange = true;
    int lastBar = 0;
    void showRecvNumber(int n) override { numbers << n; }
    void showTransNumber(int) override {}
    QString recvFileBox() const override { return programs::save_directory; }
    QString transFileBox() const override { return {}; }
    void setRecvBar(int v) override
    {
        barInRange = barInRange && v >= 0 && v <= 256;
        lastBar = v;
    }
    void setTransBar(int) override {}
};

QByteArray listing(const QByteArray& image)
{
    const programs::PrgImage img = programs::unpackPrgImage(image);
    QByteArray out;
    for (const QString& line : programs::prgFileLines(img.steps))
        out += line.toLatin1() + "\r\n";
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    ControllerFeed& feed = ControllerFeed::instance();
    const bool all = (data[0] & 0x80) != 0;
    programs::g_RecvFileNo = std::int16_t(data[0] & 0x3F); // 32..63 are no program
    g_AxisCount = 4;
    QDir dir(fuzz::runDir() + QStringLiteral("/recv"));
    if (!dir.exists())
        dir.mkpath(QStringLiteral("."));
    for (const QString& f : dir.entryList(QDir::Files))
        dir.remove(f);
    programs::save_directory = dir.path();
    programs::g_PrgImage.fill(kMarkerWord);
    programs::g_PrgHdrUsed.fill(kMarkerHeader);
    programs::g_PrgHdrLines.fill(kMarkerHeader);
    feed.start(data + 1, size - 1);
    View view;

    programs::RecvPrgFile(all ? 1 : 0, &view);

    const QByteArray pc = feed.pcBytes();
    const QStringList files = dir.entryList(QDir::Files);
    const QStringList boxes = feed.boxes.texts();
    FUZZ_CHECK(view.barInRange && view.lastBar == 0);
    FUZZ_CHECK(programs::g_PrgHdrUsed[32] == kMarkerHeader && programs::g_PrgHdrLines[32] == kMarkerHeader);
    FUZZ_CHECK(programs::g_PrgImage[256] == kMarkerWord);
    for (const QString& f : files) {
        // Whatever came, a file holds one lister line per step up to the end mark.
        const QList<QByteArray> lines = fuzz::readRunFile(dir.filePath(f)).split('\n');
        FUZZ_CHECK(lines.size() >= 2 && lines.size() <= 257 && lines.back().isEmpty());
        for (qsizetype i = 0; i + 1 < lines.size(); ++i)
            FUZZ_CHECK(lines[i].endsWith('\r') && !lines[i].chopped(1).contains('\r'));
    }
    if (!all) {
        if (programs::g_RecvFileNo > 31) {
            FUZZ_CHECK(pc.isEmpty() && boxes.isEmpty() && files.isEmpty());
            return 0;
        }
        const int n = programs::g_RecvFileNo;
        const bool accepted = pc.size() == 6 && fuzz::lastByte(pc) == LINK_EOT;
        FUZZ_CHECK(files == (accepted ? QStringList{programs::defaultPrgFile({}, n)} : QStringList{}));
        if (accepted) {
            const QByteArray& s = feed.stream();
            FUZZ_CHECK(s.size() >= 3 + 1026 + 2);
            const QByteArray image = s.mid(3, 1026);
            FUZZ_CHECK(boxes.isEmpty());
            FUZZ_CHECK(fuzz::readRunFile(dir.filePath(files[0])) == listing(image));
            FUZZ_CHECK(programs::g_PrgHdrUsed[std::size_t(n)] == std::uint8_t(image[0]));
            FUZZ_CHECK(programs::g_PrgHdrLines[std::size_t(n)] == std::uint8_t(image[1]));
            const programs::PrgImage img = programs::unpackPrgImage(image);
            FUZZ_CHECK(std::equal(img.steps.begin(), img.steps.end(), programs::g_PrgImage.begin()));
        } else {
            FUZZ_CHECK(!boxes.isEmpty());
            FUZZ_CHECK(boxes.back() == kLinkError0 || boxes == QStringList{kNotConnected});
            FUZZ_CHECK(programs::g_PrgHdrUsed[std::size_t(n)] == kMarkerHeader);
            for (int k = 0; k < 256; ++k)
                FUZZ_CHECK(programs::g_PrgImage[std::size_t(k)] == kMarkerWord);
        }
        return 0;
    }
    FUZZ_CHECK(view.numbers.size() >= 1 && view.numbers.size() <= 32);
    for (int k = 0; k < view.numbers.size(); ++k)
        FUZZ_CHECK(view.numbers[k] == k);
    // Every program shown written, or a box tells of the ones that were not.
    FUZZ_CHECK_MSG(boxes.isEmpty() == (files.size() == 32),
                   QStringLiteral("%1 files, boxes %2").arg(files.size()).arg(boxes.join(u'|')));
    for (int k = 0; k < 32; ++k) {
        const bool written = files.contains(programs::defaultPrgFile({}, k));
        if (!written)
            FUZZ_CHECK(programs::g_PrgHdrUsed[std::size_t(k)] == kMarkerHeader);
    }
    fuzz::note(QStringLiteral("%1 files, boxes: %2").arg(files.size()).arg(boxes.join(u'|')));
    return 0;
}
