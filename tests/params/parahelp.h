#pragma once
// Small helpers the parameter tests share: the five sets by a row index, a
// fresh start for every test, and values written as "axis:field=value".

#include "params/parawindows.h"

#include "common/colors.h"
#include "link/moddef.h"

#include <QPushButton>
#include <QStringList>

namespace paratest {

enum SetIndex { Sys, Gain, Axis, Sw, Lmt };

inline const params::ParaSet& setOf(int i)
{
    static const params::ParaSet* const sets[] = {&params::kSysSet, &params::kGainSet, &params::kAxisSet,
                                                  &params::kSwSet, &params::kLmtSet};
    return *sets[i];
}

inline params::ParaForm& windowOf(int i)
{
    switch (i) {
    case Sys:
        return params::frmSysPara::instance();
    case Gain:
        return params::frmGain::instance();
    case Axis:
        return params::frmAxis::instance();
    case Sw:
        return params::frmSw::instance();
    default:
        return params::frmLmt::instance();
    }
}

inline void fillSet(const params::ParaSet& set, double v)
{
    for (int a = 0; a < params::storedAxes(set); ++a)
        for (int f = 0; f < set.fields; ++f)
            set.setValue(a, f, v);
}

// Every window closed, no remembered names, every value `fill`.
inline void freshStart(double fill = 0, int axisCount = 4)
{
    comm::g_AxisCount = std::int16_t(axisCount);
    params::g_CurAxis = 0;
    for (int i = Sys; i <= Lmt; ++i) {
        params::ParaForm& w = windowOf(i);
        w.Unload();
        w.m_ParaFileName.clear();
        fillSet(setOf(i), fill);
    }
}

// "0:2=1 3:0=100" holds when axis 0 field 2 is 1 and axis 3 field 0 is 100.
inline QString mismatches(const params::ParaSet& set, const QString& expected)
{
    QStringList wrong;
    for (const QString& item : expected.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList af = item.section(u'=', 0, 0).split(u':');
        const double want = item.section(u'=', 1).toDouble();
        const double have = set.value(af[0].toInt(), af[1].toInt());
        if (have != want)
            wrong << QStringLiteral("%1 is %2").arg(item).arg(have, 0, 'g', 15);
    }
    return wrong.join(QStringLiteral(", "));
}

inline std::uint32_t colourOf(const QWidget& w, const QString& name)
{
    const auto* b = w.findChild<QWidget*>(name);
    return b ? common::backColor(b) : 0xDEADBEEF;
}

inline QPushButton* button(const QWidget& w, const QString& name)
{
    return w.findChild<QPushButton*>(name);
}

} // namespace paratest
