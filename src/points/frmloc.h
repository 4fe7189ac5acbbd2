#pragma once
// The location window: P000..P999 to and from the controller one point, a
// range or the whole table at a time, the location file on each side, and
// the four axis values of one point on each side (editable when sending).

#include "pointwindow.h"

namespace points {

class frmLoc : public PointWindow {
    Q_OBJECT
public:
    static frmLoc& instance();

    void cmdLocReceive_Click(int Index) { receiveClick(Index); }
    void cmdLocTrans_Click(int Index) { transClick(Index); }
    void txtLocReceive_Change(int Index) { receiveNumberChanged(Index); }
    void txtLocTrans_Change(int Index) { transNumberChanged(Index); }
    void txtTransLocVal_Change(int Index);

    QGroupBox* fraLoc = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLineEdit* txtLocTransFile = nullptr;
    std::array<QLineEdit*, 2> txtLocTrans{};
    std::array<QLineEdit*, 4> txtTransLocVal{};
    std::array<QPushButton*, 4> cmdLocTrans{};
    QProgressBar* ProgressBarLocTrans = nullptr;
    QLineEdit* txtLocReceiveFile = nullptr;
    std::array<QLineEdit*, 2> txtLocReceive{};
    std::array<QLineEdit*, 4> txtRcvLocVal{};
    std::array<QPushButton*, 5> cmdLocReceive{};
    QProgressBar* ProgressBarLocReceive = nullptr;
    CommonDialog* cmdDlgLoc = nullptr;
    std::array<QLabel*, 14> Label1{};

protected:
    void Form_Load() override;
    void previewPoint(bool transSide, int point) override;
    void showReceivedPoint() override;
    void afterTransLoad() override;
    void resetControls() override;

private:
    frmLoc();
    // Shows axes 1..g_AxisCount of point p; the program's own fill stores nothing.
    void showValues(const std::array<QLineEdit*, 4>& boxes, int p);

    bool m_filling = false;
};

} // namespace points
