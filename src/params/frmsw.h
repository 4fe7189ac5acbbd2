#pragma once
// The S/W parameter window: the 18 values of the edited axis in checked
// boxes; seven of them are held in hundredths of the number shown.

#include "frmpara.h"

namespace params {

class frmSw : public ParaForm {
    Q_OBJECT
public:
    static frmSw& instance();

    QLineEdit* txtSwFileName = nullptr;
    ParaFileDialog* cmdDlgSwPara = nullptr;
    std::array<QLineEdit*, 18> txtSw{};
    std::array<QLabel*, 19> Label1{};

    void UpdateSwButton() { updateView(); }
    void updateView() override;

    void txtSwFileName_Change() { fileNameBox_Change(); }
    void txtSw_Change(int Index);

protected:
    void resetControls() override;
    void valueRefused(const BlockRefusal& refusal) override;

private:
    frmSw();
};

// A held S/W value as its box shows it: fields 0 to 6 "#0.00" of the value
// / 100, the others as plain decimal text (2048, 0.5, -3).
QString swBoxText(int field, double held);

void LoadSwParaFile();
void SaveSwParaFile();
void UnpackSwPara();

} // namespace params
