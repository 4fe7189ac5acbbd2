#pragma once
// A text grid with a fixed header row and column and one current cell, as the
// pendant's point and program grids use it. Row and column indices count the
// fixed ones too (row 0 is the header). The fixed row and column (none or
// one of each) are the table's own headers, so they stay in view while the
// cells scroll. Moving the current cell, by the operator or by the program,
// first reports leaveCell while the old cell is still current, then
// enterCell on the new one.

#include <QTableWidget>

#include <cstdint>

namespace pendant {

class CellGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit CellGrid(QWidget* parent = nullptr);

    int rows() const { return rowCount() + m_fixedRows; }
    void setRows(int n);
    int cols() const { return columnCount() + m_fixedCols; }
    void setCols(int n);
    int fixedRows() const { return m_fixedRows; }
    void setFixedRows(int n); // 0 or 1
    int fixedCols() const { return m_fixedCols; }
    void setFixedCols(int n); // 0 or 1

    // The current cell. Setting it reports leave and enter (when it changes)
    // and collapses the selection to the current cell.
    using QTableWidget::row;
    int row() const { return m_row; }
    void setRow(int r) { moveTo(r, m_col); }
    int col() const { return m_col; }
    void setCol(int c) { moveTo(m_row, c); }
    void setCurrent(int r, int c) { moveTo(r, c); }

    // The other end of the selection; the range runs from row()/col() to here.
    int rowSel() const { return m_rowSel; }
    void setRowSel(int r);
    int colSel() const { return m_colSel; }
    void setColSel(int c);

    QString textMatrix(int r, int c) const;
    void setTextMatrix(int r, int c, const QString& text);
    // The current cell's text.
    QString text() const { return textMatrix(m_row, m_col); }
    void setText(const QString& t) { setTextMatrix(m_row, m_col, t); }

    // Background of the current cell (&H00BBGGRR); cellBackColorAt reads any
    // cell, 0 meaning the grid's own colour was never replaced there.
    void setCellBackColor(std::uint32_t bgr);
    std::uint32_t cellBackColor() const { return cellBackColorAt(m_row, m_col); }
    std::uint32_t cellBackColorAt(int r, int c) const;

    int colWidthPx(int c) const;
    void setColWidthPx(int c, int px);
    void setColAlignment(int c, Qt::Alignment a);
    // Every column as wide as its text in row r.
    void fitColumnsToRow(int r);

    void removeItem(int r);
    // Empties every cell, the fixed ones included, and their colours.
    void clearCells();

    // The current cell's place and size inside the grid widget.
    QRect cellRect() const;
    // Where cell (r, c), not a fixed one, is drawn in the viewport.
    QRect viewportRect(int r, int c) const;

signals:
    void enterCell();
    void leaveCell();
    // A character key while the grid has the focus: its code (13 Enter, 8
    // Backspace, 27 Esc, control codes below 32, the character otherwise).
    void keyPress(int keyAscii);
    void dblClick();
    void gotFocus();

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

private:
    QTableWidgetItem* itemAt(int r, int c);
    QModelIndex indexOf(int r, int c) const { return model()->index(r - m_fixedRows, c - m_fixedCols); }
    void applyAlignment(int c);
    void applyHeaders();
    void moveTo(int r, int c);
    void clampCurrent();
    void syncView();

    int m_fixedRows = 1;
    int m_fixedCols = 1;
    int m_row = 1;
    int m_col = 1;
    int m_rowSel = 1;
    int m_colSel = 1;
    bool m_syncing = false;   // our own change of the view's current cell
    bool m_extending = false; // the operator is extending the selection
    QList<Qt::Alignment> m_colAlign;
    QString m_corner; // the cell where the fixed row and column meet
};

} // namespace pendant
