#pragma once
// The gain window: every axis at once, one column of ten boxes per axis;
// only the controller's axes can be edited. While the window opens its boxes
// only show the held values.

#include "frmpara.h"

#include <QGroupBox>

namespace params {

class frmGain : public ParaForm {
    Q_OBJECT
public:
    static frmGain& instance();

    QLineEdit* txtGainParaFileName = nullptr;
    ParaFileDialog* cmdDlgGainPara = nullptr;
    std::array<QLineEdit*, 40> txtax1Gain{}; // axis a, gain k: a * 10 + k
    std::array<QGroupBox*, 4> fraAxis{};
    std::array<QLabel*, 11> GainLabel{};

    void UpdateGaButton() { updateView(); }
    void updateView() override;

    void txtGainParaFileName_Change() { fileNameBox_Change(); }
    void txtax1Gain_Change(int Index);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void ownStep(Step step) override;
    void resetControls() override;

private:
    frmGain();
    // Puts each row label level with its row of boxes.
    void levelLabels();

    QWidget* m_labelColumn = nullptr;
};

void LoadGainParaFile();
void SaveGainParaFile();
void UnpackGainPara();

} // namespace params
