#pragma once
// The folder chooser of the program-transfer window, shown modal: the folder
// of each side (open_directory, save_directory) follows its folder list, and
// OK puts the path box into the side's file-name box.

#include "folderlists.h"

#include "common/form.h"

#include <QLineEdit>
#include <QPushButton>

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
};

} // namespace programs
