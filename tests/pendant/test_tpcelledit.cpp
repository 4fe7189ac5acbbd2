// The point grid's cell editor: how it opens, what each of its keys commits
// and where the cursor goes, and the commits of leaving a cell and of the
// grid taking the focus.

#include "tpfixture.h"

#include "common/colors.h"
#include "support/seams.h"

using namespace tptest;

namespace {
const QString kNotNumber = QStringLiteral("숫자를 입력하십시요.");

// Opens the editor over (row, col) as a double click does and types `typed`.
void editCell(int row, int col, const QString& cellText, const QString& typed)
{
    tp().LOCGrid->setCurrent(row, col);
    tp().LOCGrid->setTextMatrix(row, col, cellText);
    QTest::mouseDClick(tp().LOCGrid->viewport(), Qt::LeftButton, {}, tp().LOCGrid->viewportRect(row, col).center());
    QCOMPARE(tp().LOCGrid->row(), row);
    QVERIFY(!tp().TextGrid->isHidden());
    QTest::keyClicks(tp().TextGrid, typed);
}
} // namespace

class TestTpCellEdit : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(openFresh()); }

    void editorKeys_data()
    {
        QTest::addColumn<int>("modeKey");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("cell"); // the edited cell afterwards
        QTest::addColumn<int>("rowAfter");
        QTest::addColumn<int>("colAfter");
        QTest::addColumn<QString>("editorLeftOpenWith"); // empty: closed
        QTest::addColumn<QString>("message");
        const int ret = Qt::Key_Return, esc = Qt::Key_Escape, up = Qt::Key_Up, down = Qt::Key_Down;
        // clang-format off
        QTest::newRow("Enter: number written, next column") << int(LocKey) << 5 << 2 << "12.5" << ret << "12.50" << 5 << 3 << "" << "";
        QTest::newRow("Enter on column 4: next point") << int(LocKey) << 5 << 4 << "-3" << ret << "-3.00" << 6 << 1 << "" << "";
        QTest::newRow("Enter on the last point: stays on it") << int(LocKey) << 1000 << 4 << "1" << ret << "1.00" << 1000 << 1 << "" << "";
        QTest::newRow("Enter on the last shift entry") << int(SftKey) << 100 << 4 << "1" << ret << "1.00" << 100 << 1 << "" << "";
        QTest::newRow("Enter with Enter on the keypad") << int(SftKey) << 3 << 1 << "2" << int(Qt::Key_Enter) << "2.00" << 3 << 2 << "" << "";
        QTest::newRow("Enter: blanks around a number") << int(LocKey) << 5 << 2 << " 7 " << ret << "7.00" << 5 << 3 << "" << "";
        QTest::newRow("Enter: half to even") << int(LocKey) << 5 << 2 << "0.125" << ret << "0.12" << 5 << 3 << "" << "";
        QTest::newRow("Enter: the lowest table value") << int(LocKey) << 5 << 2 << "-21474836.48" << ret << "-21474836.48" << 5 << 3 << "" << "";
        QTest::newRow("Enter: past 32 bits of hundredths") << int(LocKey) << 5 << 2 << "21474836.48" << ret << "3.00" << 5 << 2 << "0.00" << kNotNumber;
        QTest::newRow("Enter: empty editor") << int(LocKey) << 5 << 2 << "" << ret << "3.00" << 5 << 2 << "0.00" << kNotNumber;
        QTest::newRow("Enter: a letter") << int(LocKey) << 5 << 2 << "a" << ret << "3.00" << 5 << 2 << "0.00" << kNotNumber;
        QTest::newRow("Esc: cell as it was") << int(LocKey) << 5 << 2 << "9" << esc << "3.00" << 5 << 2 << "" << "";
        QTest::newRow("Up: text in, formatted as the row is left") << int(LocKey) << 5 << 2 << "7" << up << "7.00" << 4 << 2 << "" << "";
        QTest::newRow("Up: text that is no number") << int(LocKey) << 5 << 2 << "x" << up << "0.00" << 4 << 2 << "" << "";
        QTest::newRow("Up on row 1: formatted in place") << int(LocKey) << 1 << 2 << "7" << up << "7.00" << 1 << 2 << "" << "";
        QTest::newRow("Up on row 1: no number") << int(LocKey) << 1 << 2 << "x" << up << "0.00" << 1 << 2 << "" << "";
        QTest::newRow("Down: next row") << int(SftKey) << 5 << 2 << "7.5" << down << "7.50" << 6 << 2 << "" << "";
        QTest::newRow("Down on the last row: in place") << int(LocKey) << 1000 << 3 << "x" << down << "0.00" << 1000 << 3 << "" << "";
        QTest::newRow("Down on the last shift row") << int(SftKey) << 100 << 3 << "8" << down << "8.00" << 100 << 3 << "" << "";
        // clang-format on
    }
    void editorKeys()
    {
        QFETCH(int, modeKey);
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, cell);
        QFETCH(int, rowAfter);
        QFETCH(int, colAfter);
        QFETCH(QString, editorLeftOpenWith);
        QFETCH(QString, message);
        testsupport::MessageRecorder boxes;
        clickModeKey(modeKey);
        editCell(row, col, QStringLiteral("3.00"), typed);
        QTest::keyClick(tp().TextGrid, Qt::Key(key));
        QCOMPARE(tp().LOCGrid->textMatrix(row, col), cell);
        QCOMPARE(tp().LOCGrid->row(), rowAfter);
        QCOMPARE(tp().LOCGrid->col(), colAfter);
        QCOMPARE(tp().TextGrid->isHidden(), editorLeftOpenWith.isEmpty());
        if (!editorLeftOpenWith.isEmpty()) {
            QCOMPARE(tp().TextGrid->text(), editorLeftOpenWith);
        } else {
            QVERIFY(tp().LOCGrid->hasFocus()); // the keys reach the grid again
        }
        QCOMPARE(boxes.texts(), message.isEmpty() ? QStringList{} : QStringList{message});
        if (!message.isEmpty())
            QCOMPARE(boxes.boxes.first().title, common::kAppTitle);
    }

    void keysOnTheGridOpenTheEditor_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("editor");
        QTest::newRow("Enter: empty") << int(Qt::Key_Return) << "\r"
                                      << "";
        QTest::newRow("blank: empty") << int(Qt::Key_Space) << " "
                                      << "";
        QTest::newRow("a digit: that digit") << int(Qt::Key_7) << "7"
                                             << "7";
        QTest::newRow("a letter: that letter") << int(Qt::Key_A) << "a"
                                               << "a";
        QTest::newRow("Backspace: the cell's text") << int(Qt::Key_Backspace) << "\b"
                                                    << "12.50";
        QTest::newRow("Esc: the cell's text") << int(Qt::Key_Escape) << "\x1b"
                                              << "12.50";
    }
    void keysOnTheGridOpenTheEditor()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(QString, editor);
        clickModeKey(LocKey);
        tp().LOCGrid->setCurrent(3, 2);
        tp().LOCGrid->setTextMatrix(3, 2, QStringLiteral("12.50"));
        QTest::keyClick(tp().LOCGrid, Qt::Key(key), Qt::NoModifier);
        QVERIFY(!tp().TextGrid->isHidden());
        QCOMPARE(tp().TextGrid->text(), editor);
        QCOMPARE(tp().TextGrid->cursorPosition(), int(editor.size()));
        QCOMPARE(tp().TextGrid->geometry(), tp().LOCGrid->cellRect().translated(tp().LOCGrid->pos()));
        QVERIFY(tp().TextGrid->hasFocus());
        QCOMPARE(tp().LOCGrid->textMatrix(3, 2), QStringLiteral("12.50"));
        (void)text;
    }

    // After the message the editor holds "0.00" selected: the value typed
    // next replaces it instead of being appended to it.
    void afterTheMessageTheNextValueReplacesTheZero_data()
    {
        QTest::addColumn<QString>("opening"); // typed on the grid; empty: a double click
        QTest::addColumn<QString>("typed");   // then typed into the editor
        QTest::newRow("a letter typed on the grid") << "q"
                                                    << "";
        QTest::newRow("an empty editor") << ""
                                         << "";
        QTest::newRow("a number past 32 bits") << ""
                                               << "99999999";
    }
    void afterTheMessageTheNextValueReplacesTheZero()
    {
        QFETCH(QString, opening);
        QFETCH(QString, typed);
        testsupport::MessageRecorder boxes;
        clickModeKey(LocKey);
        if (opening.isEmpty())
            editCell(4, 2, QStringLiteral("3.00"), typed);
        else
            QTest::keyClicks(tp().LOCGrid, opening);
        const int row = tp().LOCGrid->row(), col = tp().LOCGrid->col();
        QTest::keyClick(tp().TextGrid, Qt::Key_Return);
        QCOMPARE(boxes.texts(), QStringList{kNotNumber});
        QCOMPARE(tp().TextGrid->text(), QStringLiteral("0.00"));
        QVERIFY(tp().TextGrid->hasFocus());
        QTest::keyClicks(tp().TextGrid, QStringLiteral("7.25"));
        QCOMPARE(tp().TextGrid->text(), QStringLiteral("7.25"));
        QTest::keyClick(tp().TextGrid, Qt::Key_Return);
        QCOMPARE(tp().LOCGrid->textMatrix(row, col), QStringLiteral("7.25"));
        QCOMPARE(boxes.texts(), QStringList{kNotNumber});
    }

    void clickingAnotherCellCommitsTheOneLeft_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cell");
        QTest::newRow("a number, formatted") << "12.5"
                                             << "12.50";
        QTest::newRow("no number: 0.00") << "abc"
                                         << "0.00";
    }
    void clickingAnotherCellCommitsTheOneLeft()
    {
        QFETCH(QString, typed);
        QFETCH(QString, cell);
        clickModeKey(LocKey);
        tp().LOCGrid->setTextMatrix(4, 3, QStringLiteral("x"));
        editCell(2, 2, QStringLiteral("3.00"), typed);
        QTest::mouseClick(tp().LOCGrid->viewport(), Qt::LeftButton, {}, tp().LOCGrid->viewportRect(4, 3).center());
        QCOMPARE(tp().LOCGrid->textMatrix(2, 2), cell);
        QVERIFY(tp().TextGrid->isHidden());
        QCOMPARE(tp().LOCGrid->row(), 4);
        QCOMPARE(tp().LOCGrid->textMatrix(4, 3), QStringLiteral("x")); // entered, not left
        QCOMPARE(tp().LOCGrid->cellBackColorAt(2, 2), common::color::White);
        QCOMPARE(tp().LOCGrid->cellBackColorAt(4, 3), common::color::GridCurrent);
    }

    void numberOverACellThatIsNoNumber()
    {
        clickModeKey(LocKey);
        tp().LOCGrid->setTextMatrix(6, 2, QString());
        editCell(6, 1, QString(), QStringLiteral("4"));
        QTest::keyClick(tp().TextGrid, Qt::Key_Return);
        QCOMPARE(tp().LOCGrid->textMatrix(6, 1), QStringLiteral("4.00"));
        QCOMPARE(tp().LOCGrid->textMatrix(6, 2), QString());
    }

    void escThenMovingOnOnlyFormatsTheCell()
    {
        clickModeKey(SftKey);
        editCell(2, 1, QStringLiteral("5"), QStringLiteral("99"));
        QTest::keyClick(tp().TextGrid, Qt::Key_Escape);
        QCOMPARE(tp().LOCGrid->textMatrix(2, 1), QStringLiteral("5"));
        tp().LOCGrid->setRow(3);
        QCOMPARE(tp().LOCGrid->textMatrix(2, 1), QStringLiteral("5.00"));
    }

    // The grid taking the focus (a click on the cell being edited, or any
    // other way) commits only a checked value, as leaving the cell does:
    // a text such as "1 2" would be saved as two values of the point.
    void gridTakingTheFocusCommitsACheckedValue_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("byClick");
        QTest::addColumn<QString>("cell");
        QTest::newRow("a number, formatted") << "12.5" << false << "12.50";
        QTest::newRow("no number: 0.00") << "abc" << false << "0.00";
        QTest::newRow("two numbers: 0.00") << "1 2" << false << "0.00";
        QTest::newRow("click on the cell: a number") << "-3" << true << "-3.00";
        QTest::newRow("click on the cell: two numbers") << "1 2" << true << "0.00";
    }
    void gridTakingTheFocusCommitsACheckedValue()
    {
        QFETCH(QString, typed);
        QFETCH(bool, byClick);
        QFETCH(QString, cell);
        clickModeKey(LocKey);
        editCell(2, 1, QStringLiteral("5"), typed);
        if (byClick)
            QTest::mouseClick(tp().LOCGrid->viewport(), Qt::LeftButton, {}, tp().LOCGrid->viewportRect(2, 1).center());
        else
            tp().LOCGrid->setFocus();
        QCOMPARE(tp().LOCGrid->textMatrix(2, 1), cell);
        QVERIFY(tp().TextGrid->isHidden());
        QCOMPARE(tp().LOCGrid->row(), 2);
        QCOMPARE(tp().LOCGrid->col(), 1);
    }

    void commitsAlsoWhileTheWindowIsNotActive()
    {
        clickModeKey(LocKey);
        editCell(5, 2, QStringLiteral("3.00"), QStringLiteral("x"));
        QApplication::setActiveWindow(nullptr); // no focus change is reported now
        QTest::keyClick(tp().TextGrid, Qt::Key_Up);
        QVERIFY(tp().TextGrid->isHidden());
        QCOMPARE(tp().LOCGrid->textMatrix(5, 2), QStringLiteral("0.00"));
        QCOMPARE(tp().LOCGrid->row(), 4);
    }

    void keypadAndEntEnterAPoint()
    {
        clickModeKey(LocKey);
        tp().LOCGrid->setCurrent(10, 1);
        for (const QList<int>& keys : {QList<int>{0, 10, 4}, {1}, {11, 2}, {9, 10, 9, 4}}) {
            pressKeys(keys);
            QTest::mouseClick(tp().ENT, Qt::LeftButton);
        }
        QStringList values;
        for (int c = 1; c <= 4; ++c)
            values << tp().LOCGrid->textMatrix(10, c);
        QCOMPARE(values, (QStringList{"1.50", "2.00", "3.00", "0.05"}));
        QCOMPARE(tp().LOCGrid->row(), 11);
        QCOMPARE(tp().LOCGrid->col(), 1);
    }
};

QTEST_MAIN(TestTpCellEdit)
#include "test_tpcelledit.moc"
