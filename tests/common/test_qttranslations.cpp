// Qt's own texts follow the language Qt's translations are loaded for:
// Korean standard buttons and file-dialog texts under a Korean locale, Qt's
// English under an English one.

#include "common/qttranslations.h"

#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

namespace {

bool hasHangul(const QString& s)
{
    for (QChar c : s)
        if (c.unicode() >= 0xAC00 && c.unicode() <= 0xD7A3)
            return true;
    return false;
}

const char* const kReplace = "%1 already exists.\nDo you want to replace it?";

} // namespace

class TestQtTranslations : public QObject {
    Q_OBJECT
private slots:
    void cleanupTestCase() { common::loadQtTranslations(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void koreanLocaleSpeaksKorean()
    {
        QVERIFY(common::loadQtTranslations(QLocale(QLocale::Korean, QLocale::SouthKorea)));
        QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                        QMessageBox::Yes | QMessageBox::No);
        for (auto which : {QMessageBox::Yes, QMessageBox::No})
            QVERIFY2(hasHangul(box.button(which)->text()), qPrintable(box.button(which)->text()));
        const QString replace = QCoreApplication::translate("QFileDialog", kReplace);
        QVERIFY2(hasHangul(replace), qPrintable(replace));

        QFileDialog dlg;
        dlg.setOption(QFileDialog::DontUseNativeDialog);
        auto* typeLabel = dlg.findChild<QLabel*>(QStringLiteral("fileTypeLabel"));
        QVERIFY(typeLabel);
        QVERIFY2(hasHangul(typeLabel->text()), qPrintable(typeLabel->text()));
    }

    // Any other language, translated by Qt or not, leaves Qt's English texts
    // (and takes back Korean ones loaded before).
    void otherLocalesKeepQtsTexts_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany);
        QTest::newRow("Japanese") << QLocale(QLocale::Japanese, QLocale::Japan);
    }
    void otherLocalesKeepQtsTexts()
    {
        QFETCH(QLocale, locale);
        QVERIFY(common::loadQtTranslations(QLocale(QLocale::Korean, QLocale::SouthKorea)));
        QVERIFY(!common::loadQtTranslations(locale));
        QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                        QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Yes"));
        QCOMPARE(QCoreApplication::translate("QFileDialog", kReplace), QString::fromLatin1(kReplace));
    }
};

QTEST_MAIN(TestQtTranslations)
#include "test_qttranslations.moc"
