#include "pointwindow.h"

#include "pointfile.h"

#include "common/msgbox.h"
#include "common/numbers.h"
#include "common/strings.h"
#include "common/texts.h"
#include "link/operatorexchange.h"

#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace points {

namespace {
const QString kEndBeforeStart = QStringLiteral(" End Loc 는 Start Loc 보다 커야 합니다.");
} // namespace

CommonDialog::CommonDialog(const QString& name, const QString& filter, QObject* parent)
    : QObject(parent), Filter(filter), m_designFilter(filter)
{
    setObjectName(name);
}

void CommonDialog::reset()
{
    DialogTitle.clear();
    Filter = m_designFilter;
    FileName.clear();
}

std::optional<QString> CommonDialog::show(common::FileDialogRequest::Mode mode)
{
    common::FileDialogRequest request;
    request.mode = mode;
    request.title = DialogTitle;
    request.filter = Filter;
    request.filterIndex = 1;
    request.fileName = FileName;
    common::RtError cancelled;
    auto name = common::showFileDialog(request, &cancelled);
    if (name)
        FileName = *name;
    return name;
}

PointWindow::PointWindow(const PointWindowDesc& desc) : m_desc(desc)
{
    setObjectName(common::toQString(desc.name));
    setWindowTitle(common::toQString(desc.caption));
    m_dialog = new CommonDialog(common::toQString(desc.dialog), common::toQString(desc.filter), this);
}

void PointWindow::buildSides(std::span<QLabel*> labels)
{
    auto* column = new QVBoxLayout(this);
    m_trans = buildSide(m_desc.trans, labels);
    column->addWidget(m_trans.frame);
    m_recv = buildSide(m_desc.recv, labels);
    column->addWidget(m_recv.frame);
    for (int i = 0; i < 2; ++i) {
        connect(m_trans.number[std::size_t(i)], &QLineEdit::textChanged, this, [this, i] { transNumberChanged(i); });
        connect(m_recv.number[std::size_t(i)], &QLineEdit::textChanged, this, [this, i] { receiveNumberChanged(i); });
    }
    for (int i = 0; i < int(m_trans.buttons.size()); ++i)
        connect(m_trans.buttons[std::size_t(i)], &QPushButton::clicked, this, [this, i] { transClick(i); });
    for (int i = 0; i < int(m_recv.buttons.size()); ++i)
        connect(m_recv.buttons[std::size_t(i)], &QPushButton::clicked, this, [this, i] { receiveClick(i); });
}

PointWindow::Side PointWindow::buildSide(const SideControls& controls, std::span<QLabel*> labels)
{
    Side side;
    side.frame = new QGroupBox(common::toQString(controls.frameCaption), this);
    side.frame->setObjectName(common::toQString(controls.frame));
    auto* row = new QHBoxLayout(side.frame);
    side.grid = new QGridLayout;
    row->addLayout(side.grid, 1);
    auto* buttons = new QVBoxLayout;
    row->addLayout(buttons);

    auto label = [&](int index, const QString& text) {
        auto* l = new QLabel(text, side.frame);
        l->setObjectName(QStringLiteral("Label1_%1").arg(index));
        if (index >= 0 && std::size_t(index) < labels.size())
            labels[std::size_t(index)] = l;
        return l;
    };

    side.grid->addWidget(label(controls.fileLabel, QStringLiteral("File Name")), 0, 0);
    side.file = new QLineEdit(side.frame);
    side.file->setObjectName(common::toQString(controls.fileBox));
    side.grid->addWidget(side.file, 0, 1, 1, 7);

    for (int i = 0; i < 2; ++i) {
        auto* box = new QLineEdit(QStringLiteral("0"), side.frame);
        box->setObjectName(QStringLiteral("%1_%2").arg(common::toQString(controls.numberBox)).arg(i));
        box->setAlignment(Qt::AlignCenter);
        box->setMaxLength(m_desc.numberLength);
        side.number[std::size_t(i)] = box;
        // The label spans two columns; its text stands against its box.
        QLabel* caption =
            label(controls.numberLabels[std::size_t(i)], common::toQString(controls.numberCaptions[std::size_t(i)]));
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        side.grid->addWidget(caption, 1, 4 * i, 1, 2);
        side.grid->addWidget(box, 1, 4 * i + 2, 1, 2);
    }

    side.bar = new QProgressBar(side.frame);
    side.bar->setObjectName(common::toQString(controls.bar));
    side.bar->setRange(0, 100);
    side.bar->setValue(0);
    side.grid->addWidget(side.bar, 3, 0, 1, 8);

    for (std::size_t i = 0; i < controls.sideButtons.size(); ++i) {
        auto* b = new QPushButton(common::toQString(controls.sideButtons[i].caption), side.frame);
        b->setObjectName(QStringLiteral("%1_%2").arg(common::toQString(controls.buttons)).arg(i));
        buttons->addWidget(b);
        side.buttons.push_back(b);
        side.actions.push_back(controls.sideButtons[i].action);
    }
    buttons->addStretch();
    return side;
}

void PointWindow::resetControls()
{
    for (Side* side : {&m_trans, &m_recv}) {
        const QSignalBlocker fileBlock(side->file);
        side->file->clear();
        for (QLineEdit* box : side->number) {
            const QSignalBlocker block(box);
            box->setText(QStringLiteral("0"));
        }
        for (QPushButton* b : side->buttons)
            b->setEnabled(true);
        side->bar->setRange(0, 100);
        side->bar->setValue(0);
    }
    m_dialog->reset();
}

void PointWindow::Form_Load()
{
    resetControls();
    centreOnScreen();
}

void PointWindow::Form_Unload(bool& cancel)
{
    // Closing in the middle of a run would leave the exchange talking to a
    // window that is gone.
    if (running()) {
        cancel = true;
        return;
    }
    m_TransFileName = m_trans.file->text();
    m_RecvFileName = m_recv.file->text();
    common::enableMainWindowFor(this);
}

std::optional<int> PointWindow::boxPoint(const QLineEdit* box) const
{
    const QString text = box->text();
    if (text.isEmpty())
        return std::nullopt;
    const auto p = common::toInt32(common::leadingNumber(text));
    if (!p || !validPoint(m_desc.table, *p))
        return std::nullopt;
    return *p;
}

void PointWindow::tellRange() const
{
    common::MsgBox(common::toQString(m_desc.rangeText));
}

std::optional<std::pair<int, int>> PointWindow::blockRange(const Side& side) const
{
    const auto start = boxPoint(side.number[0]);
    const auto end = boxPoint(side.number[1]);
    if (!start || !end) {
        tellRange();
        return std::nullopt;
    }
    if (*start > *end) {
        common::MsgBox(kEndBeforeStart);
        return std::nullopt;
    }
    return std::pair{*start, *end};
}

void PointWindow::receiveClick(int index)
{
    click(m_recv, false, index);
}
void PointWindow::transClick(int index)
{
    click(m_trans, true, index);
}

void PointWindow::click(Side& side, bool transSide, int index)
{
    if (index < 0 || std::size_t(index) >= side.buttons.size())
        return;
    const PointAction action = side.actions[std::size_t(index)];
    QPushButton* button = side.buttons[std::size_t(index)];
    // A click served while another exchange waits does nothing at all. The
    // file commands too: their dialog would freeze that wait, and a load
    // would change the table it is sending.
    comm::OperatorExchange exchange(
        comm::OperatorExchange::PortCheck::Tell, [button](bool enabled) { button->setEnabled(enabled); }, this);
    if (!exchange)
        return;
    runAction(side, transSide, action);
    exchange.finishReport();
    if (transSide)
        side.bar->setValue(0);
}

bool PointWindow::running() const
{
    return comm::OperatorExchange::runningFor(this);
}

void PointWindow::runAction(Side& side, bool transSide, PointAction action)
{
    const Table t = m_desc.table;
    const TableDesc& d = desc(t);
    BarProgress bar(side.bar);
    switch (action) {
    case PointAction::Single: {
        const auto p = boxPoint(side.number[0]);
        if (!p) {
            tellRange();
            return;
        }
        if (transSide) {
            g_TransLocNo = std::int16_t(*p);
            sendPoints(t, 0, 0, 0, &bar);
        } else {
            g_RcvLocNo = std::int16_t(*p);
            if (recvPoints(t, 0, 0, 0, &bar))
                showReceivedPoint();
        }
        return;
    }
    case PointAction::Block: {
        const auto range = blockRange(side);
        if (!range)
            return;
        const auto first = std::int16_t(range->first);
        const auto last = std::int16_t(range->second);
        if (transSide)
            sendPoints(t, d.blockMode, first, last, &bar);
        else
            recvPoints(t, d.blockMode, first, last, &bar);
        return;
    }
    case PointAction::All:
        if (transSide)
            sendPoints(t, d.wholeMode, 0, 0, &bar);
        else
            recvPoints(t, d.wholeMode, 0, 0, &bar);
        return;
    case PointAction::FileOpen: {
        const char* title = transSide ? m_desc.transOpenTitle : m_desc.recvOpenTitle;
        if (title)
            m_dialog->DialogTitle = common::toQString(title);
        // The receive side names the file a save will write: a new name must do.
        const auto name =
            m_dialog->show(transSide ? common::FileDialogRequest::Mode::Open : common::FileDialogRequest::Mode::Save);
        if (!name)
            return;
        side.file->setText(*name);
        if (transSide) {
            loadPointFile(t, *name);
            afterTransLoad();
        }
        return;
    }
    case PointAction::FileSave:
        if (side.file->text().isEmpty()) {
            common::MsgBox(common::texts::kNoSaveName);
            return;
        }
        savePointFile(t, side.file->text());
        return;
    }
}

void PointWindow::receiveNumberChanged(int index)
{
    numberChanged(m_recv, index);
}
void PointWindow::transNumberChanged(int index)
{
    numberChanged(m_trans, index);
}

void PointWindow::numberChanged(Side& side, int index)
{
    if (index < 0 || index > 1)
        return;
    QLineEdit* box = side.number[std::size_t(index)];
    const QString text = box->text();
    if (text.isEmpty())
        return;
    const auto v = common::numericValue(text);
    if (!v) {
        common::MsgBox(common::texts::kNotNumber);
        box->setText(QStringLiteral("0"));
        return;
    }
    if (*v < 0 || *v > desc(m_desc.table).count - 1) {
        if (m_desc.rangeTextOnChange) {
            tellRange();
            box->setText(QStringLiteral("0"));
        }
        return;
    }
    if (index == 0)
        previewPoint(&side == &m_trans, int(common::roundHalfEven(*v)));
}

} // namespace points
