#include "frmdir.h"

#include "folders.h"

#include "common/msgbox.h"

#include <QDir>
#include <QGridLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace programs {

namespace {
const QString kDriveUnreadable = QStringLiteral(" 드라이브를 읽을 수 없습니다.");
const QString kTrans = QStringLiteral("trans");
const QString kReceive = QStringLiteral("receive");
} // namespace

frmdir& frmdir::instance()
{
    static frmdir* w = new frmdir; // lives for the whole run
    return *w;
}

frmdir::frmdir()
{
    setObjectName(QStringLiteral("frmdir"));
    setWindowTitle(QStringLiteral("OPEN File or Directory"));

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Dir1 = new DirListBox(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    File1 = new FileListBox(this);
    File1->setObjectName(QStringLiteral("File1"));
    Drive1 = new DriveListBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    OKButton = new QPushButton(QStringLiteral("확인"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("취소"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(Text1, 0, 0, 1, 3);
    grid->addWidget(Dir1, 1, 0);
    grid->addWidget(Drive1, 2, 0);
    grid->addWidget(File1, 1, 1, 2, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    buttons->addStretch();
    grid->addLayout(buttons, 1, 2, 2, 1);
    resize(520, 320);

    connect(Drive1, &DriveListBox::Change, this, &frmdir::Drive1_Change);
    connect(Dir1, &DirListBox::Change, this, &frmdir::Dir1_Change);
    connect(File1, &FileListBox::Click, this, &frmdir::File1_Click);
    connect(OKButton, &QPushButton::clicked, this, &frmdir::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &frmdir::CancelButton_Click);
}

void frmdir::Form_Load()
{
    const QString here = QDir::currentPath();
    Drive1->refresh(here);
    const QSignalBlocker block(Dir1);
    Dir1->setPath(here);
    File1->setPath(Dir1->Path());
}

void frmdir::showEvent(QShowEvent* e)
{
    Dir1->Refresh();
    File1->Refresh();
    common::Form::showEvent(e);
}

QString frmdir::folderText() const
{
    return Dir1->Path();
}

std::optional<QString> frmdir::choose(int recvNumber)
{
    Load();
    m_recvNumber = recvNumber;
    m_chosen.reset();
    Text1->setText(folderText());
    if (where_clicked == kReceive) {
        save_directory = Text1->text();
        Text1->setText(defaultPrgFile(save_directory, recvNumber));
    } else if (where_clicked == kTrans) {
        open_directory = Text1->text();
    }
    ShowModal();
    return m_chosen;
}

void frmdir::proposePath(const QString& path)
{
    Load();
    Text1->setText(path);
}

void frmdir::Drive1_Change()
{
    // The drive list goes on showing the new drive even when it cannot be read.
    if (!Dir1->setPath(Drive1->Drive()))
        common::MsgBox(kDriveUnreadable);
}

void frmdir::Dir1_Change()
{
    File1->setPath(Dir1->Path());
    Text1->setText(folderText());
    if (where_clicked == kReceive) {
        save_directory = Text1->text();
        Text1->setText(defaultPrgFile(save_directory, m_recvNumber));
    } else if (where_clicked == kTrans) {
        open_directory = Text1->text();
    }
}

void frmdir::File1_Click()
{
    if (where_clicked == kReceive)
        Text1->setText(joinPath(save_directory, File1->FileName()));
    else if (where_clicked == kTrans)
        Text1->setText(joinPath(open_directory, File1->FileName()));
}

void frmdir::OKButton_Click()
{
    m_chosen.reset();
    if (where_clicked == kReceive || where_clicked == kTrans)
        m_chosen = Text1->text();
    hide();
}

void frmdir::CancelButton_Click()
{
    hide();
}

} // namespace programs
