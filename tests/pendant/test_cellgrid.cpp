// The pendant's grid: leaving a cell is reported while it is still the
// current one, whoever moves the cursor; fixed cells never hold it; key
// presses arrive as character codes.

#include "pendant/cellgrid.h"

#include <QHeaderView>
#include <QtTest>

using pendant::CellGrid;

namespace {
// Records the notifications with the current cell at the moment of each.
struct Trace {
    explicit Trace(CellGrid& g)
    {
        QObject::connect(&g, &CellGrid::leaveCell,
                         [this, &g] { events << QStringLiteral("leave %1,%2").arg(g.row()).arg(g.col()); });
        QObject::connect(&g, &CellGrid::enterCell,
                         [this, &g] { events << QStringLiteral("enter %1,%2").arg(g.row()).arg(g.col()); });
        QObject::connect(&g, &CellGrid::keyPress, [this](int code) { keys << code; });
    }
    QStringList events;
    QList<int> keys;
};
} // namespace

class TestCellGrid : public QObject {
    Q_OBJECT
private:
    CellGrid* grid = nullptr;

private slots:
    void init()
    {
        grid = new CellGrid;
        grid->setRows(6);
        grid->setCols(5);
        grid->resize(400, 200);
        grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid));
    }
    void cleanup() { delete grid; }

    void startsOnTheFirstValueCell()
    {
        QCOMPARE(grid->row(), 1);
        QCOMPARE(grid->col(), 1);
    }

    void programMovesReportLeaveThenEnter_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<QStringList>("events");
        QTest::newRow("another column") << 1 << 3 << QStringList{"leave 1,1", "enter 1,3"};
        QTest::newRow("another row") << 4 << 1 << QStringList{"leave 1,1", "enter 4,1"};
        QTest::newRow("the same cell: nothing") << 1 << 1 << QStringList{};
        QTest::newRow("a fixed cell: kept off it") << 0 << 0 << QStringList{};
        QTest::newRow("past the last row: the last") << 9 << 2 << QStringList{"leave 1,1", "enter 5,2"};
    }
    void programMovesReportLeaveThenEnter()
    {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QStringList, events);
        Trace t(*grid);
        grid->setCurrent(row, col);
        QCOMPARE(t.events, events);
    }

    void operatorMovesReportTheSame()
    {
        Trace t(*grid);
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Right);
        const QRect cell = grid->viewportRect(4, 3);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(t.events, (QStringList{"leave 1,1", "enter 2,1", "leave 2,1", "enter 2,2", "leave 2,2", "enter 4,3"}));
        QVERIFY(t.keys.isEmpty()); // moving keys are no characters
    }

    void cursorNeverEntersTheFixedCells()
    {
        Trace t(*grid);
        QTest::keyClick(grid, Qt::Key_Up);
        QTest::keyClick(grid, Qt::Key_Left);
        QTest::keyClick(grid, Qt::Key_Home);
        QTest::mouseClick(grid->horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(70, 5));
        QTest::mouseClick(grid->verticalHeader()->viewport(), Qt::LeftButton, {}, QPoint(5, 30));
        QCOMPARE(grid->row(), 1);
        QCOMPARE(grid->col(), 1);
        QVERIFY(t.events.isEmpty());
    }

    void extendingTheSelectionKeepsTheCurrentCell()
    {
        grid->setCurrent(2, 1);
        Trace t(*grid);
        QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(grid->row(), 2);
        QCOMPARE(grid->rowSel(), 4);
        QVERIFY(t.events.isEmpty());
        grid->setRow(3); // a move collapses the selection
        QCOMPARE(grid->rowSel(), 3);
    }

    void keysArriveAsCharacterCodes_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        QTest::newRow("Enter") << int(Qt::Key_Return) << "\r" << 13;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << "\b" << 8;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << "\x1b" << 27;
        QTest::newRow("blank") << int(Qt::Key_Space) << " " << 32;
        QTest::newRow("a letter") << int(Qt::Key_A) << "a" << 97;
        QTest::newRow("a Korean letter") << int(Qt::Key_unknown) << QString::fromUtf8("한") << 0xD55C;
    }
    void keysArriveAsCharacterCodes()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(int, code);
        Trace t(*grid);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(grid, &press);
        QCOMPARE(t.keys, QList<int>{code});
        QCOMPARE(grid->row(), 1); // no search jumps the cursor
        QVERIFY(t.events.isEmpty());
    }

    void fewerRowsKeepTheCursorInside()
    {
        grid->setCurrent(5, 4);
        Trace t(*grid);
        grid->setRows(3);
        QCOMPARE(grid->row(), 2);
        grid->removeItem(2);
        QCOMPARE(grid->row(), 1);
        QCOMPARE(grid->rows(), 2);
        QVERIFY(t.events.isEmpty());
    }

    void cellTextAndColour()
    {
        grid->setTextMatrix(2, 3, QStringLiteral("12.50"));
        grid->setCurrent(2, 3);
        QCOMPARE(grid->text(), QStringLiteral("12.50"));
        QCOMPARE(grid->cellBackColorAt(2, 3), 0u);
        grid->setCellBackColor(0xFFFFC0);
        QCOMPARE(grid->cellBackColor(), 0xFFFFC0u);
        QCOMPARE(grid->textMatrix(9, 9), QString()); // outside: empty, no crash
        QVERIFY(grid->cellRect().width() > 0);
    }
};

QTEST_MAIN(TestCellGrid)
#include "test_cellgrid.moc"
