#pragma once
// The start-up window: the operator picks the controller model, which sets
// the axis count, and opens the main window.

#include "common/form.h"

#include <QLabel>
#include <QPushButton>

#include <array>

namespace app {

class frmSplash : public common::Form {
    Q_OBJECT
public:
    static frmSplash& instance();

    void cmdSelZel_Click(int Index);

    std::array<QPushButton*, 5> cmdSelZel{};
    QLabel* lblVersion = nullptr;

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    frmSplash();
    void Form_KeyPress();
};

// Ends the program (no window is left to serve).
void endProgram();

} // namespace app
