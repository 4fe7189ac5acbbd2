#pragma once
// Programs between the PC and the controller: one program or all 32 received
// into program files, one program file or all 32 default files assembled and
// sent. The procedures reach the transfer window only through
// PrgTransferView, so they need no widgets.

#include <QString>

#include <cstdint>

namespace programs {

// The number of the program being received, and of a single send (0..31).
extern std::int16_t g_RecvFileNo;
extern std::int16_t g_TransFileNo;

// What the procedures use of the transfer window: its number boxes, which a
// run sets to the program in hand, its file-name boxes and its two progress
// bars (range 0..256).
class PrgTransferView {
public:
    virtual ~PrgTransferView() = default;
    // Sets the side's number box to n as plain decimal text; its change
    // handling runs as when the operator types.
    virtual void showRecvNumber(int n) = 0;
    virtual void showTransNumber(int n) = 0;
    virtual QString recvFileBox() const = 0;
    virtual QString transFileBox() const = 0;
    virtual void setRecvBar(int value) = 0;
    virtual void setTransBar(int value) = 0;
};

// all 0: program g_RecvFileNo; otherwise programs 0..31 in turn. Each program
// accepted is written by SavePrgText. Holds the one exchange and its
// transfer report; does nothing while another exchange runs.
void RecvPrgFile(std::int16_t all, PrgTransferView* view = nullptr);

// all 0: program g_TransFileNo from the transmit file-name box's file (or its
// default file when the box holds only open_directory); otherwise the 32
// default files of open_directory in turn.
void TransPrgFile(std::int16_t all, PrgTransferView* view = nullptr);

// Opens each of the 32 default program files of `folder` for reading and
// closes it again. The text to show for the first one that cannot be opened
// (the system's error text followed by the file's full name), or nothing.
QString checkDefaultPrgFiles(const QString& folder);

// g_RxData 0..1025 into the header entries of g_RecvFileNo and g_PrgImage
// 0..255; the receive bar runs 0..255 over the words and returns to 0.
void UnpackPrgImage(PrgTransferView* view = nullptr);

} // namespace programs
