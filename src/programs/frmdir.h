#pragma once
// The folder chooser of the program-transfer window, shown modal: the folder
// of each side (open_directory, save_directory) follows its folder list, and
// OK gives the path box back to the transfer window for the side's
// file-name box.

#include "folderlists.h"

#include "common/form.h"

#include <QLineEdit>
#include <QPushButton>

#include <optional>

namespace programs {

class frmdir : public common::Form {
    Q_OBJECT
public:
    static frmdir& instance();

    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void OKButton_Click();
    void CancelButton_Click();

    // The folder the folder list shows, as the transfer window's folder
    // strings hold it (its case kept).
    QString folderText() const;

    // Shows the chooser modal, over and in front of `opener`'s window, for
    // the side where_clicked names ("trans" or "receive"): the path box
    // starts at the side's folder, the receive side proposing the default
    // file of program `recvNumber` there. The path OK took, or nothing
    // (Cancel, or no side).
    std::optional<QString> choose(QWidget* opener, int recvNumber);
    // What OK took for the side of where_clicked; nothing before it.
    const std::optional<QString>& chosenPath() const { return m_chosen; }
    // Puts a proposed file into the path box (the receive number changed).
    void proposePath(const QString& path);

    QLineEdit* Text1 = nullptr;
    DirListBox* Dir1 = nullptr;
    FileListBox* File1 = nullptr;
    DriveListBox* Drive1 = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    // The lists start at the current folder on every load.
    void Form_Load() override;
    // The lists show the folder as it is now at every showing: a program
    // file received since the last one is listed, a removed one is not.
    void showEvent(QShowEvent* e) override;

private:
    frmdir();
    void centreOver(const QWidget& over);

    int m_recvNumber = 0;
    std::optional<QString> m_chosen;
};

} // namespace programs
