#include "frmgain.h"

#include "parablock.h"

#include "common/numbers.h"
#include "link/moddef.h"

#include <QEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace params {

namespace {
constexpr int kGains = 10;
// Window labels, trailing blanks and all.
constexpr const char* kGainLabels[] = {"Pos Pgain", "Pos Igain ", "Pos Dgain ", "Pos Fgain", "Pos I Limit ",
                                       "Vel Pgain", "Vel Igain ", "Vel Dgain ", "Vel Fgain", "Vel I Limit "};
constexpr int kTypedChars = 5;
} // namespace

frmGain& frmGain::instance()
{
    static auto* w = new frmGain;
    return *w;
}

frmGain::frmGain() : ParaForm(kGainSet)
{
    txtGainParaFileName = fileNameBox();
    cmdDlgGainPara = findChild<ParaFileDialog*>(QStringLiteral("cmdDlgGainPara"));
    // The row labels sit in a column of their own, each kept level with its
    // row of boxes (the boxes belong to the axis frames, which the labels
    // stand outside of).
    m_labelColumn = new QWidget(this);
    m_labelColumn->setObjectName(QStringLiteral("gainLabelColumn"));
    int labelWidth = 0;
    for (int k = 0; k < kGains; ++k) {
        auto* label = new QLabel(QString::fromLatin1(kGainLabels[k]), m_labelColumn);
        label->setObjectName(QStringLiteral("GainLabel_%1").arg(k));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        labelWidth = std::max(labelWidth, label->sizeHint().width());
        GainLabel[std::size_t(k)] = label;
    }
    m_labelColumn->setMinimumWidth(labelWidth);
    m_labelColumn->installEventFilter(this);
    body()->addWidget(m_labelColumn, 0, 0);
    GainLabel[10] = findChild<QLabel*>(QStringLiteral("GainLabel_10"));
    for (int a = 0; a < kMaxAxes; ++a) {
        auto* frame = new QGroupBox(QStringLiteral("%1 AXIS").arg(a + 1), this);
        frame->setObjectName(QStringLiteral("fraAxis_%1").arg(a));
        auto* column = new QVBoxLayout(frame);
        for (int k = 0; k < kGains; ++k) {
            const int i = a * kGains + k;
            auto* box = new QLineEdit(frame);
            box->setObjectName(QStringLiteral("txtax1Gain_%1").arg(i));
            box->setValidator(new TypingLimit(kTypedChars, box));
            connect(box, &QLineEdit::textChanged, this, [this, i] { txtax1Gain_Change(i); });
            if (k == 5)
                column->addSpacing(12);
            column->addWidget(box);
            txtax1Gain[std::size_t(i)] = box;
        }
        body()->addWidget(frame, 0, 1 + a);
        body()->setColumnStretch(1 + a, 1);
        fraAxis[std::size_t(a)] = frame;
    }
    fraAxis[0]->installEventFilter(this);
    for (int k = 0; k < kGains; ++k)
        txtax1Gain[std::size_t(k)]->installEventFilter(this);
}

bool frmGain::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::Move || e->type() == QEvent::Resize || e->type() == QEvent::Show)
        levelLabels();
    return ParaForm::eventFilter(watched, e);
}

void frmGain::levelLabels()
{
    for (int k = 0; k < kGains; ++k) {
        const QLineEdit* box = txtax1Gain[std::size_t(k)];
        const int top = box->mapTo(this, QPoint(0, 0)).y() - m_labelColumn->mapTo(this, QPoint(0, 0)).y();
        GainLabel[std::size_t(k)]->setGeometry(0, top, m_labelColumn->width(), box->height());
    }
}

void frmGain::resetControls()
{
    ParaForm::resetControls();
    for (QLineEdit* box : txtax1Gain) {
        const QSignalBlocker quiet(box);
        box->clear();
    }
    for (QGroupBox* frame : fraAxis)
        frame->setEnabled(true);
}

void frmGain::ownStep(Step step)
{
    switch (step) {
    case Step::GainNotReady:
        g_GainFormReady = false;
        break;
    case Step::EnableAxisFrames:
        for (int a = 0; a < kMaxAxes; ++a)
            fraAxis[std::size_t(a)]->setEnabled(a < blockAxes(kGainSet));
        break;
    case Step::GainReady:
        g_GainFormReady = true;
        break;
    default:
        break;
    }
}

void frmGain::updateView()
{
    for (int a = 0; a < blockAxes(kGainSet); ++a)
        for (int k = 0; k < kGains; ++k)
            txtax1Gain[std::size_t(a * kGains + k)]->setText(
                common::formatInt(g_GainPara[std::size_t(a)][std::size_t(k)]));
}

void frmGain::txtax1Gain_Change(int Index)
{
    if (Index < 0 || Index >= int(txtax1Gain.size()))
        return;
    QLineEdit* box = txtax1Gain[std::size_t(Index)];
    std::int32_t& held = g_GainPara[std::size_t(Index / kGains)][std::size_t(Index % kGains)];
    // While the window opens a number only shows the held value again.
    if (!g_GainFormReady && common::IsNumeric(box->text())) {
        box->setText(common::formatInt(held));
        return;
    }
    checkBox(box, kGainBox, [&held](double v) { held = std::int32_t(v); });
}

void LoadGainParaFile()
{
    frmGain::instance().loadParaFile();
}
void SaveGainParaFile()
{
    frmGain::instance().saveParaFile();
}
void UnpackGainPara()
{
    unpackParaBlock(kGainSet, comm::g_RxData.data());
}

} // namespace params
