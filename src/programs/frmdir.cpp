#include "frmdir.h"

#include "folders.h"

#include "common/msgbox.h"

#include <QDir>
#include <QGridLayout>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

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

    // A program file name is seen whole, also beside the list's scroll bar.
    int nameWidth = 0;
    for (int n = 0; n <= kLastProgram; ++n)
        nameWidth = std::max(nameWidth, File1->fontMetrics().horizontalAdvance(defaultPrgFile(QString(), n)));
    const QStyle* style = File1->style();
    const int textMargin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, File1) + 1;
    File1->setMinimumWidth(nameWidth + 2 * textMargin + 2 * File1->frameWidth() +
                           style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, File1));

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
    // The two lists share the width, the folder list taking the larger part;
    // a long volume name in the drive list does not widen its column.
    Drive1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Drive1->setMinimumContentsLength(1);
    for (QListWidget* list : std::initializer_list<QListWidget*>{Dir1, File1})
        list->setSizePolicy(QSizePolicy::Ignored, list->sizePolicy().verticalPolicy());
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
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

std::optional<QString> frmdir::choose(QWidget* opener, int recvNumber)
{
    Load();
    // In front of the window that opened it, and over it.
    QWidget* over = opener->window();
    if (parentWidget() != over)
        setParent(over, windowFlags());
    centreOver(*over);
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

void frmdir::centreOver(const QWidget& over)
{
    ensurePolished();
    if (layout())
        layout()->activate();
    QRect g(QPoint(), frameGeometry().size());
    g.moveCenter(over.frameGeometry().center());
    if (const QScreen* screen = over.screen()) {
        // Wholly on the screen, also beside an opener at its edge.
        const QRect area = screen->availableGeometry();
        g.moveLeft(std::max(area.left(), std::min(g.left(), area.right() + 1 - g.width())));
        g.moveTop(std::max(area.top(), std::min(g.top(), area.bottom() + 1 - g.height())));
    }
    move(g.topLeft());
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
