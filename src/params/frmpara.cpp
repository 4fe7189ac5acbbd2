#include "frmpara.h"

#include "parablock.h"
#include "paraexchange.h"
#include "parafile.h"

#include "common/colors.h"
#include "common/filedialog.h"
#include "common/msgbox.h"
#include "common/strings.h"
#include "common/texts.h"
#include "link/moddef.h"

#include <QGroupBox>
#include <QVBoxLayout>

#include <string_view>

namespace params {

namespace {
constexpr std::uint32_t kRecvColor = 0x0080FFFF;
const char* const kSelectorCaptions[] = {"1-AXIS", "2-AXIS", "3-AXIS", "4-AXIS"};

// How each window sets out its parts around the rows.
enum class FrameHolds { Nothing, Rows, Window };
enum class ButtonPlace { RightColumn, Bottom };
enum class SelectorPlace { BelowRows, TopOfColumn };

struct Arrangement {
    const char* window;
    FrameHolds frameHolds = FrameHolds::Nothing;
    const char* frame = nullptr;
    const char* frameCaption = nullptr;
    ButtonPlace buttons = ButtonPlace::RightColumn;
    SelectorPlace selectors = SelectorPlace::BelowRows;
};

// A window not listed has no frame, its buttons in a column at the right
// and its selectors below the rows.
constexpr Arrangement kPlain{.window = ""};
constexpr Arrangement kArrangements[] = {
    {.window = "frmSysPara", .frameHolds = FrameHolds::Rows, .frame = "fraSysPara", .frameCaption = "System Parameter"},
    {.window = "frmGain",
     .frameHolds = FrameHolds::Window,
     .frame = "fraGain",
     .frameCaption = "Gain Parameter",
     .buttons = ButtonPlace::Bottom},
    {.window = "frmSw", .selectors = SelectorPlace::TopOfColumn},
};

const Arrangement& arrangementOf(const ParaSet& set)
{
    for (const Arrangement& a : kArrangements)
        if (std::string_view(a.window) == set.window)
            return a;
    return kPlain;
}

QGroupBox* newFrame(const Arrangement& arrangement, QWidget& form)
{
    auto* frame = new QGroupBox(common::toQString(arrangement.frameCaption), &form);
    frame->setObjectName(QString::fromLatin1(arrangement.frame));
    return frame;
}

// The layout that holds the window's parts: the form's own, or that of a
// frame around them all.
QVBoxLayout* windowLayout(QWidget& form, const Arrangement& arrangement)
{
    auto* outer = new QVBoxLayout(&form);
    if (arrangement.frameHolds != FrameHolds::Window)
        return outer;
    QGroupBox* frame = newFrame(arrangement, form);
    outer->addWidget(frame);
    return new QVBoxLayout(frame);
}

// The grid of the rows and boxes, in a frame of its own where the
// arrangement puts one around the rows.
QGridLayout* bodyLayout(QWidget& form, const Arrangement& arrangement, QBoxLayout& rowsAndSelectors)
{
    auto* body = new QGridLayout;
    if (arrangement.frameHolds == FrameHolds::Rows) {
        QGroupBox* frame = newFrame(arrangement, form);
        frame->setLayout(body);
        rowsAndSelectors.addWidget(frame);
    } else {
        rowsAndSelectors.addLayout(body);
    }
    return body;
}

// The transfer and file buttons: a column at the right, or a row along the
// bottom.
QBoxLayout* buttonLayout(const Arrangement& arrangement, QBoxLayout& window, QBoxLayout& middle)
{
    if (arrangement.buttons == ButtonPlace::Bottom) {
        auto* row = new QHBoxLayout;
        window.addLayout(row);
        return row;
    }
    auto* column = new QVBoxLayout;
    middle.addLayout(column);
    return column;
}

// The axis selectors: a row below the rows, or the top of the button column.
QBoxLayout& selectorLayout(const Arrangement& arrangement, QBoxLayout& rowsAndSelectors, QBoxLayout& buttons)
{
    if (arrangement.selectors == SelectorPlace::TopOfColumn)
        return buttons;
    auto* row = new QHBoxLayout;
    rowsAndSelectors.addLayout(row);
    return *row;
}
} // namespace

void showBoxMessage(const QString& message)
{
    common::MsgBox(message);
}

ParaFileDialog::ParaFileDialog(QObject* parent, const char* name, const char* title, const char* filter)
    : QObject(parent), DialogTitle(common::toQString(title)), Filter(common::toQString(filter))
{
    setObjectName(QString::fromLatin1(name));
}

std::optional<QString> ParaFileDialog::ShowOpen(common::RtError* error)
{
    common::FileDialogRequest request;
    request.mode = common::FileDialogRequest::Mode::Open;
    request.title = DialogTitle;
    request.filter = Filter;
    return common::showFileDialog(request, error);
}

QValidator::State TypingLimit::validate(QString& input, int& pos) const
{
    (void)pos;
    return input.size() <= m_max || input.size() < m_box->text().size() ? Acceptable : Invalid;
}

ParaForm::ParaForm(const ParaSet& set) : m_set(set)
{
    setObjectName(QString::fromLatin1(set.window));
    setWindowTitle(QString::fromLatin1(set.caption));
    const Arrangement& arrangement = arrangementOf(set);
    // The parts are made in their tab order: the file name, the rows, the
    // selectors, then the transfer and file buttons.
    QVBoxLayout* window = windowLayout(*this, arrangement);
    addFileRow(*window);
    // The rows, with the selectors below them, beside the button column.
    auto* middle = new QHBoxLayout;
    window->addLayout(middle);
    auto* rowsAndSelectors = new QVBoxLayout;
    middle->addLayout(rowsAndSelectors, 1);
    m_body = bodyLayout(*this, arrangement, *rowsAndSelectors);
    addChoiceRows();
    QBoxLayout* buttons = buttonLayout(arrangement, *window, *middle);
    if (set.axisSelector)
        addSelectors(selectorLayout(arrangement, *rowsAndSelectors, *buttons));
    addTransferButtons(*buttons);
}

void ParaForm::addFileRow(QBoxLayout& window)
{
    // The file-name box beside its label, across the top.
    auto* fileRow = new QHBoxLayout;
    window.addLayout(fileRow);
    auto* fileLabel = new QLabel(QStringLiteral("File Name"), this);
    fileLabel->setObjectName(QString::fromLatin1(m_set.fileLabel));
    fileRow->addWidget(fileLabel);
    m_fileBox = new QLineEdit(this);
    m_fileBox->setObjectName(QString::fromLatin1(m_set.fileBox));
    fileRow->addWidget(m_fileBox, 1);
    connect(m_fileBox, &QLineEdit::returnPressed, this, [this] { fileNameBox_Change(); });
    m_dialog = new ParaFileDialog(this, m_set.dialog, m_set.dialogTitle, m_set.filter);
}

void ParaForm::addChoiceRows()
{
    for (std::size_t r = 0; r < m_set.rows.size(); ++r) {
        const ChoiceRow& row = m_set.rows[r];
        auto* label = new QLabel(QString::fromLatin1(row.label), this);
        label->setObjectName(QString::fromLatin1(row.labelName));
        m_body->addWidget(label, int(r), 0);
        QList<QPushButton*> buttons;
        const int n = int(row.captions.size());
        for (int i = 0; i < n; ++i) {
            auto* b = new QPushButton(common::toQString(row.captions[std::size_t(i)]), this);
            b->setObjectName(QStringLiteral("%1_%2").arg(QString::fromLatin1(row.name)).arg(i));
            common::setBackColor(b, common::color::ButtonFace);
            connect(b, &QPushButton::clicked, this, [this, r, i] { rowChoice(int(r), i); });
            m_body->addWidget(b, int(r), 1 + (row.highestFirst ? n - 1 - i : i));
            buttons << b;
        }
        m_rows.push_back(buttons);
        // Room to spare goes to the buttons; each label stays at its row.
        for (int c = 1; c <= n; ++c)
            m_body->setColumnStretch(c, 1);
    }
}

void ParaForm::addSelectors(QBoxLayout& selectors)
{
    for (int i = 0; i < kMaxAxes; ++i) {
        auto* b = new QPushButton(QString::fromLatin1(kSelectorCaptions[i]), this);
        b->setObjectName(QStringLiteral("cmdAxSel_%1").arg(i));
        common::setBackColor(b, common::color::ButtonFace);
        connect(b, &QPushButton::clicked, this, [this, i] { cmdAxSel_Click(i); });
        selectors.addWidget(b);
        cmdAxSel[std::size_t(i)] = b;
    }
}

void ParaForm::addTransferButtons(QBoxLayout& buttons)
{
    cmdTrans = new QPushButton(common::toQString("PC ☞ ZEL"), this);
    cmdTrans->setObjectName(QStringLiteral("cmdTrans"));
    common::setBackColor(cmdTrans, m_set.transColor);
    connect(cmdTrans, &QPushButton::clicked, this, [this] { cmdTrans_Click(); });
    cmdRcv = new QPushButton(common::toQString("ZEL ☞ PC"), this);
    cmdRcv->setObjectName(QStringLiteral("cmdRcv"));
    common::setBackColor(cmdRcv, kRecvColor);
    connect(cmdRcv, &QPushButton::clicked, this, [this] { cmdRcv_Click(); });
    buttons.addWidget(cmdTrans);
    buttons.addWidget(cmdRcv);
    static const char* const saveCaptions[] = {"File Open", "File Save"};
    for (int i = 0; i < 2; ++i) {
        auto* b = new QPushButton(QString::fromLatin1(saveCaptions[i]), this);
        b->setObjectName(QStringLiteral("cmdSave_%1").arg(i));
        connect(b, &QPushButton::clicked, this, [this, i] { cmdSave_Click(i); });
        buttons.addWidget(b);
        cmdSave[std::size_t(i)] = b;
    }
    buttons.addStretch();
}

int ParaForm::editedAxis() const
{
    return m_set.perAxis ? std::clamp(int(g_CurAxis), 0, kMaxAxes - 1) : 0;
}

void ParaForm::resetControls()
{
    const QSignalBlocker quiet(m_fileBox);
    m_fileBox->clear();
    for (const auto& row : m_rows)
        for (QPushButton* b : row)
            common::setBackColor(b, common::color::ButtonFace);
    for (QPushButton* b : cmdAxSel)
        if (b)
            common::setBackColor(b, common::color::ButtonFace);
}

void ParaForm::Form_Load()
{
    resetControls();
    runSteps(m_set.opening);
}

void ParaForm::Form_Unload(bool& cancel)
{
    // Unloading would pull the window from under its own exchange's wait.
    if (exchangeRunning()) {
        cancel = true;
        return;
    }
    m_ParaFileName = m_fileBox->text();
    common::enableMainWindowFor(this);
}

void ParaForm::runSteps(std::span<const Step> steps)
{
    for (const Step step : steps) {
        switch (step) {
        case Step::Centre:
            centreOnScreen();
            break;
        case Step::AxisDefaultsWithoutName:
            if (m_ParaFileName.isEmpty())
                applyDefaults(m_set);
            break;
        case Step::PutRememberedName:
            setFileName(m_ParaFileName);
            break;
        case Step::Load:
            loadParaSet(m_set, m_fileBox->text());
            break;
        case Step::PaintSelector:
            if (cmdAxSel[0])
                common::setBackColor(cmdAxSel[std::size_t(editedAxis())], common::color::Yellow);
            break;
        case Step::Init:
            initButtons();
            break;
        case Step::Unpack:
            unpackParaBlock(m_set, comm::g_RxData.data());
            break;
        case Step::Update:
            updateView();
            break;
        case Step::ForceOpeningValues:
        case Step::GainNotReady:
        case Step::EnableAxisFrames:
        case Step::GainReady:
            ownStep(step);
            break;
        }
    }
}

void ParaForm::initButtons()
{
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        if (m_set.init == InitPaints::EveryButton) {
            for (QPushButton* b : m_rows[r])
                common::setBackColor(b, common::color::ButtonFace);
        } else if (m_set.init == InitPaints::ChosenOfEditedAxis) {
            const ChoiceRow& row = m_set.rows[r];
            const int b = buttonFor(row, m_set.value(editedAxis(), row.field));
            if (b >= 0)
                common::setBackColor(m_rows[r][b], common::color::ButtonFace);
        }
    }
}

void ParaForm::paintChosen()
{
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        const ChoiceRow& row = m_set.rows[r];
        // A value without a button of its own is kept but paints nothing.
        const int b = buttonFor(row, m_set.value(editedAxis(), row.field));
        if (b >= 0)
            common::setBackColor(m_rows[r][b], common::color::Yellow);
    }
}

void ParaForm::rowChoice(int row, int Index)
{
    if (row < 0 || row >= int(m_rows.size()) || Index < 0 || Index >= m_rows[std::size_t(row)].size())
        return;
    const ChoiceRow& desc = m_set.rows[std::size_t(row)];
    const QList<QPushButton*>& buttons = m_rows[std::size_t(row)];
    const int old = buttonFor(desc, m_set.value(editedAxis(), desc.field));
    if (old >= 0)
        common::setBackColor(buttons[old], common::color::ButtonFace);
    common::setBackColor(buttons[Index], common::color::Yellow);
    m_set.setValue(editedAxis(), desc.field, Index);
    rowChosen(row, Index);
}

void ParaForm::cmdAxSel_Click(int Index)
{
    if (!cmdAxSel[0] || Index < 0 || Index >= kMaxAxes || Index >= comm::g_AxisCount)
        return;
    common::setBackColor(cmdAxSel[std::size_t(editedAxis())], common::color::ButtonFace);
    initButtons();
    common::setBackColor(cmdAxSel[std::size_t(Index)], common::color::Yellow);
    g_CurAxis = std::int16_t(Index);
    updateView();
}

void ParaForm::setFileName(const QString& name)
{
    if (m_fileBox->text() == name)
        return;
    m_fileBox->setText(name);
    fileNameBox_Change();
}

void ParaForm::fileNameBox_Change()
{
    initButtons();
    loadParaSet(m_set, m_fileBox->text());
    updateView();
}

void ParaForm::loadParaFile()
{
    const bool wasLoaded = isLoaded();
    if (!wasLoaded)
        Load();
    loadParaSet(m_set, m_fileBox->text());
    // A window loaded hidden for the load shows what the load put in place
    // (the system window at start-up would otherwise show MSPD 0 and send 10).
    if (!wasLoaded) {
        initButtons();
        updateView();
    }
}

void ParaForm::saveParaFile()
{
    if (!isLoaded())
        Load();
    const QString name = m_fileBox->text();
    if (auto e = saveParaSet(m_set, name))
        common::MsgBox(e->text() + name);
}

void ParaForm::cmdSave_Click(int Index)
{
    if (Index == 0) {
        // Cancelling the dialog, or any failure of it, ends the command silently.
        const auto name = m_dialog->ShowOpen();
        if (!name)
            return;
        setFileName(*name);
        fileNameBox_Change();
        return;
    }
    if (Index != 1)
        return;
    if (m_fileBox->text().isEmpty()) {
        common::MsgBox(common::texts::kNoSaveName);
        return;
    }
    saveParaFile();
}

comm::OperatorExchange::EnableControls ParaForm::pressedControl(QPushButton* pressed) const
{
    // The axis window leaves its buttons enabled.
    if (!m_set.disableWhileRunning)
        return {};
    return [pressed](bool enabled) { pressed->setEnabled(enabled); };
}

bool ParaForm::exchangeRunning() const
{
    return comm::OperatorExchange::runningFor(this);
}

void ParaForm::cmdRcv_Click()
{
    const comm::OperatorExchange exchange(comm::OperatorExchange::PortCheck::Tell, pressedControl(cmdRcv), this);
    if (!exchange)
        return;
    if (receiveParaBlock(m_set))
        runSteps(m_set.afterReceive);
}

void ParaForm::cmdTrans_Click()
{
    const comm::OperatorExchange exchange(comm::OperatorExchange::PortCheck::Tell, pressedControl(cmdTrans), this);
    if (!exchange)
        return;
    // The block's length is fixed when the exchange starts.
    const int axes = blockAxes(m_set);
    // A value that cannot travel is refused before anything is sent.
    const auto block = encodeParaBlock(m_set, axes);
    if (const auto* refusal = std::get_if<BlockRefusal>(&block)) {
        valueRefused(*refusal);
        return;
    }
    transmitParaBlock(m_set, axes);
}

} // namespace params
