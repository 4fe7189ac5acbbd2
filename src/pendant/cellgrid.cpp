#include "cellgrid.h"

#include "common/colors.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>

namespace pendant {

namespace {
constexpr int kBackColorRole = Qt::UserRole + 1;
} // namespace

CellGrid::CellGrid(QWidget* parent) : QTableWidget(parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    const int rowHeight = fontMetrics().height() + 3;
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    verticalHeader()->setSectionsClickable(false);
    verticalHeader()->setHighlightSections(false);
    verticalHeader()->setFixedWidth(64);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setDefaultSectionSize(64);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setFixedHeight(rowHeight);
    // The current cell shows its own colour, not the selection's.
    QPalette pal = palette();
    pal.setColor(QPalette::Highlight, common::bgrColor(common::color::GridCurrent));
    pal.setColor(QPalette::HighlightedText, pal.color(QPalette::Text));
    setPalette(pal);
    setRows(2);
    setCols(2);
}

QTableWidgetItem* CellGrid::itemAt(int r, int c)
{
    const int mr = r - m_fixedRows;
    const int mc = c - m_fixedCols;
    QTableWidgetItem* it = item(mr, mc);
    if (!it) {
        it = new QTableWidgetItem;
        if (mc < m_colAlign.size())
            it->setTextAlignment(m_colAlign[mc + m_fixedCols] | Qt::AlignVCenter);
        setItem(mr, mc, it);
    }
    return it;
}

void CellGrid::applyAlignment(int c)
{
    const Qt::Alignment a = (c < m_colAlign.size() ? m_colAlign[c] : Qt::Alignment(Qt::AlignLeft)) | Qt::AlignVCenter;
    if (c < m_fixedCols) {
        for (int r = 0; r < rowCount(); ++r)
            if (QTableWidgetItem* h = verticalHeaderItem(r))
                h->setTextAlignment(a);
        return;
    }
    if (QTableWidgetItem* h = horizontalHeaderItem(c - m_fixedCols))
        h->setTextAlignment(a);
    for (int r = 0; r < rowCount(); ++r)
        if (QTableWidgetItem* it = item(r, c - m_fixedCols))
            it->setTextAlignment(a);
}

// Empty header items, so that the headers show no numbers of their own.
void CellGrid::applyHeaders()
{
    horizontalHeader()->setVisible(m_fixedRows > 0);
    verticalHeader()->setVisible(m_fixedCols > 0);
    for (int c = 0; c < columnCount(); ++c)
        if (!horizontalHeaderItem(c))
            setHorizontalHeaderItem(c, new QTableWidgetItem(QString()));
    for (int r = 0; r < rowCount(); ++r)
        if (!verticalHeaderItem(r))
            setVerticalHeaderItem(r, new QTableWidgetItem(QString()));
    for (int c = 0; c < cols(); ++c)
        applyAlignment(c);
}

void CellGrid::setRows(int n)
{
    m_syncing = true;
    setRowCount(std::max(n - m_fixedRows, 0));
    m_syncing = false;
    applyHeaders();
    clampCurrent();
    syncView();
}

void CellGrid::setCols(int n)
{
    m_syncing = true;
    setColumnCount(std::max(n - m_fixedCols, 0));
    m_syncing = false;
    applyHeaders();
    clampCurrent();
    syncView();
}

void CellGrid::setFixedRows(int n)
{
    const int total = rows();
    m_fixedRows = std::clamp(n, 0, 1);
    setRows(total);
}

void CellGrid::setFixedCols(int n)
{
    const int total = cols();
    m_fixedCols = std::clamp(n, 0, 1);
    setCols(total);
}

void CellGrid::clampCurrent()
{
    auto clamp = [](int v, int fixed, int count) {
        if (count <= 0)
            return 0;
        v = std::min(v, count - 1);
        return count > fixed ? std::max(v, fixed) : v;
    };
    m_row = clamp(m_row, m_fixedRows, rows());
    m_col = clamp(m_col, m_fixedCols, cols());
    m_rowSel = clamp(m_rowSel, m_fixedRows, rows());
    m_colSel = clamp(m_colSel, m_fixedCols, cols());
}

void CellGrid::syncView()
{
    const QModelIndex cur = indexOf(m_row, m_col);
    if (!cur.isValid())
        return;
    m_syncing = true;
    selectionModel()->setCurrentIndex(cur, QItemSelectionModel::NoUpdate);
    const QModelIndex topLeft = indexOf(std::min(m_row, m_rowSel), std::min(m_col, m_colSel));
    const QModelIndex bottomRight = indexOf(std::max(m_row, m_rowSel), std::max(m_col, m_colSel));
    const bool range = topLeft.isValid() && bottomRight.isValid();
    selectionModel()->select(QItemSelection(range ? topLeft : cur, range ? bottomRight : cur),
                             QItemSelectionModel::ClearAndSelect);
    m_syncing = false;
    scrollTo(cur);
}

void CellGrid::moveTo(int r, int c)
{
    if (rowCount() == 0 || columnCount() == 0)
        return;
    r = std::clamp(r, m_fixedRows, rows() - 1);
    c = std::clamp(c, m_fixedCols, cols() - 1);
    if (r == m_row && c == m_col) {
        m_rowSel = r;
        m_colSel = c;
        syncView();
        return;
    }
    emit leaveCell(); // the old cell is still the current one here
    m_row = r;
    m_col = c;
    m_rowSel = r;
    m_colSel = c;
    syncView();
    emit enterCell();
}

void CellGrid::setRowSel(int r)
{
    m_rowSel = std::clamp(r, std::min(m_fixedRows, rows() - 1), std::max(rows() - 1, 0));
    syncView();
}

void CellGrid::setColSel(int c)
{
    m_colSel = std::clamp(c, std::min(m_fixedCols, cols() - 1), std::max(cols() - 1, 0));
    syncView();
}

QString CellGrid::textMatrix(int r, int c) const
{
    if (r < 0 || c < 0 || r >= rows() || c >= cols())
        return QString();
    if (r < m_fixedRows && c < m_fixedCols)
        return m_corner;
    const QTableWidgetItem* it = r < m_fixedRows   ? horizontalHeaderItem(c - m_fixedCols)
                                 : c < m_fixedCols ? verticalHeaderItem(r - m_fixedRows)
                                                   : item(r - m_fixedRows, c - m_fixedCols);
    return it ? it->text() : QString();
}

void CellGrid::setTextMatrix(int r, int c, const QString& text)
{
    if (r < 0 || c < 0 || r >= rows() || c >= cols())
        return;
    if (r < m_fixedRows && c < m_fixedCols)
        m_corner = text;
    else if (r < m_fixedRows)
        horizontalHeaderItem(c - m_fixedCols)->setText(text);
    else if (c < m_fixedCols)
        verticalHeaderItem(r - m_fixedRows)->setText(text);
    else
        itemAt(r, c)->setText(text);
}

void CellGrid::setCellBackColor(std::uint32_t bgr)
{
    if (!indexOf(m_row, m_col).isValid())
        return;
    QTableWidgetItem* it = itemAt(m_row, m_col);
    it->setData(kBackColorRole, QVariant::fromValue<quint32>(bgr));
    it->setBackground(common::bgrColor(bgr));
}

std::uint32_t CellGrid::cellBackColorAt(int r, int c) const
{
    if (r < m_fixedRows || c < m_fixedCols)
        return 0;
    const QTableWidgetItem* it = item(r - m_fixedRows, c - m_fixedCols);
    return it ? it->data(kBackColorRole).value<quint32>() : 0;
}

int CellGrid::colWidthPx(int c) const
{
    return c < m_fixedCols ? verticalHeader()->minimumWidth() : columnWidth(c - m_fixedCols);
}

void CellGrid::setColWidthPx(int c, int px)
{
    if (c < m_fixedCols)
        verticalHeader()->setFixedWidth(px);
    else
        setColumnWidth(c - m_fixedCols, px);
}

void CellGrid::setColAlignment(int c, Qt::Alignment a)
{
    while (m_colAlign.size() <= c)
        m_colAlign.append(Qt::AlignLeft);
    m_colAlign[c] = a;
    applyAlignment(c);
}

void CellGrid::fitColumnsToRow(int r)
{
    const QFontMetrics fm = fontMetrics();
    for (int c = 0; c < cols(); ++c)
        setColWidthPx(c, fm.horizontalAdvance(textMatrix(r, c)) + 8);
}

void CellGrid::removeItem(int r)
{
    if (r < m_fixedRows || r >= rows())
        return;
    m_syncing = true;
    removeRow(r - m_fixedRows);
    m_syncing = false;
    clampCurrent();
    syncView();
}

void CellGrid::clearCells()
{
    m_syncing = true;
    clear();
    m_syncing = false;
    m_corner.clear();
    applyHeaders();
    syncView();
}

QRect CellGrid::viewportRect(int r, int c) const
{
    return visualRect(indexOf(r, c));
}

QRect CellGrid::cellRect() const
{
    return viewportRect(m_row, m_col).translated(viewport()->pos());
}

void CellGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableWidget::currentChanged(current, previous);
    if (m_syncing || !current.isValid())
        return;
    const int r = current.row() + m_fixedRows;
    const int c = current.column() + m_fixedCols;
    if (m_extending) {
        // Extending a selection moves its far end; the current cell stays.
        m_rowSel = r;
        m_colSel = c;
        return;
    }
    moveTo(r, c);
}

void CellGrid::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        m_extending = e->modifiers().testFlag(Qt::ShiftModifier);
        QTableWidget::keyPressEvent(e);
        m_extending = false;
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit keyPress(13);
        e->accept();
        return;
    case Qt::Key_Backspace:
        emit keyPress(8);
        e->accept();
        return;
    case Qt::Key_Escape:
        emit keyPress(27);
        e->accept();
        return;
    default:
        break;
    }
    const QString t = e->text();
    if (t.isEmpty()) {
        e->ignore();
        return;
    }
    const QList<uint> ucs4 = t.toUcs4();
    emit keyPress(ucs4.isEmpty() ? int(t.at(0).unicode()) : int(ucs4.first()));
    e->accept();
}

void CellGrid::mousePressEvent(QMouseEvent* e)
{
    m_extending = e->modifiers().testFlag(Qt::ShiftModifier);
    QTableWidget::mousePressEvent(e);
    m_extending = false;
}

void CellGrid::mouseMoveEvent(QMouseEvent* e)
{
    m_extending = true;
    QTableWidget::mouseMoveEvent(e);
    m_extending = false;
}

void CellGrid::mouseDoubleClickEvent(QMouseEvent* e)
{
    QTableWidget::mouseDoubleClickEvent(e);
    emit dblClick();
}

void CellGrid::focusInEvent(QFocusEvent* e)
{
    QTableWidget::focusInEvent(e);
    emit gotFocus();
}

} // namespace pendant
