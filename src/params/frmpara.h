#pragma once
// The window of a parameter set, written once: the file-name box and its
// load, "File Open" and "File Save", the file dialog, receive and transmit,
// the rows of choice buttons, the axis selector, the opening steps and the
// refresh after a good receive, all driven by the set's description. The
// five windows add their boxes and what else truly differs.

#include "boxcheck.h"
#include "parablock.h"
#include "paraset.h"

#include "common/form.h"
#include "common/rterror.h"
#include "link/operatorexchange.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QPushButton>
#include <QValidator>

#include <array>
#include <optional>
#include <span>
#include <vector>

namespace params {

// The window's file dialog control: its title and filter, shown for opening.
class ParaFileDialog : public QObject {
    Q_OBJECT
public:
    ParaFileDialog(QObject* parent, const char* name, const char* title, const char* filter);

    QString DialogTitle;
    QString Filter;

    // The chosen name; nullopt when cancelled (error 32755) or failed.
    std::optional<QString> ShowOpen(common::RtError* error = nullptr);
};

// Limits what the operator can type into a box; text the program sets is
// never cut (a box of five characters still shows a held 100000), and such a
// longer text can still be shortened.
class TypingLimit : public QValidator {
public:
    TypingLimit(int maxChars, QLineEdit* box) : QValidator(box), m_max(maxChars), m_box(box) {}
    State validate(QString& input, int& pos) const override;

private:
    int m_max;
    QLineEdit* m_box;
};

class ParaForm : public common::Form {
    Q_OBJECT
public:
    const ParaSet& paraSet() const { return m_set; }

    // Controls every parameter window has.
    QLineEdit* fileNameBox() const { return m_fileBox; }
    QPushButton* cmdTrans = nullptr;
    QPushButton* cmdRcv = nullptr;
    std::array<QPushButton*, 2> cmdSave{};
    // Only in the windows with an axis selector (axis, S/W, limit).
    std::array<QPushButton*, 4> cmdAxSel{};

    // The file name of the box, kept while the window is closed.
    QString m_ParaFileName;

    void cmdSave_Click(int Index);
    void cmdRcv_Click();
    void cmdTrans_Click();
    void cmdAxSel_Click(int Index);

    // The file-name box's change handler: Init..., the set's loader, Update...
    // Runs when the program puts a new name into the box and when the
    // operator presses Enter in it, not at every typed character.
    void fileNameBox_Change();
    // Puts a name into the box as the program does: a new name loads.
    void setFileName(const QString& name);

    // The set's load and save procedures: they read the name in the box, and
    // load the window first when it is not loaded.
    void loadParaFile();
    void saveParaFile();

    // Row choice on row `row` (in a per-axis window, of the edited axis).
    void rowChoice(int row, int Index);
    const QList<QPushButton*>& rowButtons(int row) const { return m_rows[std::size_t(row)]; }

    // The pressed button's exchange is running (the window refuses to close).
    bool exchangeRunning() const;

    // The Init... and Update... methods of the pattern.
    void initButtons();
    virtual void updateView() { paintChosen(); }

protected:
    explicit ParaForm(const ParaSet& set);

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

    // The set's own opening steps (ForceOpeningValues and the gain's).
    virtual void ownStep(Step step) { (void)step; }
    // The controls as a freshly loaded window has them.
    virtual void resetControls();
    // A row choice was stored.
    virtual void rowChosen(int row, int Index) { (void)row, (void)Index; }
    // A value that cannot travel was found before a transmit.
    virtual void valueRefused(const BlockRefusal& refusal) { (void)refusal; }

    // The axis whose values the window shows: g_CurAxis, or 0 for the system set.
    int editedAxis() const;
    void paintChosen();
    void runSteps(std::span<const Step> steps);

    // Runs a box's check on its text; `store` keeps the value.
    template <typename Store> void checkBox(QLineEdit* box, const BoxRule& rule, Store store);

    // The window's area for its boxes (the rows of choice buttons are put
    // there by the pattern).
    QGridLayout* body() const { return m_body; }

private:
    // The parts every window has, each put into the layout given.
    void addFileRow(QBoxLayout& window);
    void addChoiceRows();
    void addSelectors(QBoxLayout& selectors);
    void addTransferButtons(QBoxLayout& buttons);

    // What the exchange holds disabled while it runs.
    comm::OperatorExchange::EnableControls pressedControl(QPushButton* pressed) const;

    const ParaSet& m_set;
    QLineEdit* m_fileBox = nullptr;
    ParaFileDialog* m_dialog = nullptr;
    QGridLayout* m_body = nullptr;
    std::vector<QList<QPushButton*>> m_rows;
};

// A box check's message: OK only, the application's title.
void showBoxMessage(const QString& text);

template <typename Store> void ParaForm::checkBox(QLineEdit* box, const BoxRule& rule, Store store)
{
    const BoxVerdict v = checkBoxText(rule, box->text());
    switch (v.kind) {
    case BoxVerdict::Kind::Nothing:
        return;
    case BoxVerdict::Kind::Store:
        store(v.value);
        return;
    case BoxVerdict::Kind::NotNumber:
    case BoxVerdict::Kind::OutOfRange:
        showBoxMessage(v.message);
        // Setting "0" runs the check again, which stores 0.
        if (v.resetToZero)
            box->setText(QStringLiteral("0"));
        return;
    }
}

} // namespace params
