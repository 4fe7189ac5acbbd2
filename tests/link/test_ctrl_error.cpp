// The controller's error record: the exchange that reads it, each of its
// outcomes, and the text for every code.

#include "common/msgbox.h"
#include "link/moderror.h"
#include "support/emulink.h"
#include "support/operatortexts.h"
#include "support/testfiles.h"

#include <QtTest>

using namespace comm;
using testsupport::EmulatorLink;

namespace {
using testsupport::hex;
using testsupport::texts::kAlarmAdvice;
using testsupport::texts::kLinkError0;
using testsupport::texts::kNotConnected;

} // namespace

class TestCtrlError : public QObject {
    Q_OBJECT
private slots:
    void readCtrlError_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("pcWrites");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("title");
        const QString record = QStringLiteral("System Error 01 :Backup battery Low Voltage\r\n") + kAlarmAdvice;
        QTest::newRow("47 00 00 00, checksum B9: EOT, then the record")
            << 0 << "01 1F 04" << QStringList{record} << common::kAppTitle;
        // The record is refused; Error Check is operator-started, so the
        // operator learns once that it failed.
        QTest::newRow("checksum B8: DLE, then one link error box")
            << 1 << "01 1F 10" << QStringList{kLinkError0} << QStringLiteral("ERROR");
        QTest::newRow("bad trailer: nothing written, link error box")
            << 2 << "01 1F" << QStringList{kLinkError0} << QStringLiteral("ERROR");
        QTest::newRow("wrong echo: nothing written, link error box")
            << 3 << "01 1F" << QStringList{kLinkError0} << QStringLiteral("ERROR");
        QTest::newRow("no answer: time-out box, then link error box")
            << 4 << "01" << QStringList{kNotConnected, kLinkError0} << QStringLiteral("ERROR");
        QTest::newRow("no echo: time-out box, then link error box")
            << 5 << "01 1F" << QStringList{kNotConnected, kLinkError0} << QStringLiteral("ERROR");
    }
    void readCtrlError()
    {
        QFETCH(int, fault);
        QFETCH(QString, pcWrites);
        QFETCH(QStringList, boxes);
        QFETCH(QString, title);
        EmulatorLink link;
        QVERIFY(link.ok());
        link.state().errCode = 71;
        link.state().errValue = 0;
        link.faults().badChecksum = fault == 1;
        link.faults().badTrailer = fault == 2;
        link.faults().wrongEcho = fault == 3;
        link.faults().silent = fault == 4;
        link.faults().silentAfterSoh = fault == 5;
        testsupport::FastClock clock;
        ReadCtrlError();
        link.settlePcBytes(pcWrites);
        QCOMPARE(hex(link.emulator().pcBytes()), pcWrites);
        if (fault <= 1)
            QCOMPARE(link.emulator().controllerBytes().right(6).toHex(' ').toUpper(),
                     fault == 0 ? QByteArray("47 00 00 00 B9 03") : QByteArray("47 00 00 00 BA 03"));
        QCOMPARE(link.boxes.texts(), boxes);
        const auto& last = link.boxes.boxes.last();
        QCOMPARE(last.title, title);
        QCOMPARE(last.buttons, title == common::kAppTitle ? common::MsgButtons::Ok : common::MsgButtons::OkCancel);
        QCOMPARE(last.icon, common::MsgIcon::None);
    }

    // The words are signed: a high byte of 0x80 or more reads as negative.
    void recordWordsAreSigned()
    {
        EmulatorLink link;
        QVERIFY(link.ok());
        link.state().errCode = -2;
        link.state().errValue = -32768;
        ReadCtrlError();
        QCOMPARE(link.boxes.texts(),
                 QStringList{QStringLiteral("Error Code : -2, Error Value : -32768\r\n") + kAlarmAdvice});
    }

    void ctrlErrorText_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        auto row = [](const char* name, int code, int value, const char* text) {
            QTest::newRow(name) << code << value << QString::fromUtf8(text);
        };
        row("0/0: fallback", 0, 0, "Error Code : 0, Error Value : 0");
        row("40: below the table", 40, 1, "Error Code : 40, Error Value : 1");
        row("41: first parameter error", 41, 9, "Parameter Error 01 : GAIN VALUE ERROR, GAIN = 0 ~ 50000");
        row("42", 42, 0, "Parameter Error 02 : COUNTER LIMIT OVER");
        row("43", 43, 0, "Parameter Error 03 : LOWER LIMIT OVER, LL = -21470000.00");
        row("44", 44, 0, "Parameter Error 04 : UPPER LIMIT OVER, UL = +21470000.00");
        row("45", 45, 0, "Parameter Error 05 : ERROR LIMIT OVER, ERR = 100000.00");
        row("46", 46, 0, "Parameter Error 06 : VELO LIMIT OVER, VEL = 30000.00");
        row("47", 47, 0, "Parameter Error 07 : ACC LIMIT OVER, ACC = 200");
        row("48", 48, 0, "Parameter Error 08 : DCC LIMIT OVER, DCC = 200");
        row("49", 49, 0, "Parameter Error 09 : INPOS LIMIT OVER, INP = 900000");
        row("50", 50, 0, "Parameter Error 10 : GEAR LIMIT OVER, GEA = 1 ~ 900000");
        row("51", 51, 0, "Parameter Error 11 : GEAR LIMIT OVER, GEB = 0 ~ 900000");
        row("52", 52, 0, "Parameter Error 12 : PULSE LIMIT OVER, PUL = 100");
        row("53", 53, 0, "Parameter Error 13 : C_VEL LIMIT OVER, C_VEL = 5000");
        row("54", 54, 0, "Parameter Error 14 : F_VEL LIMIT OVER, F_VEL = 5000");
        row("55", 55, 0, "Parameter Error 15 : ZRACC LIMIT OVER, ZACC = 200");
        row("56: last parameter error, value ignored", 56, 77, "Parameter Error 16 : PACC LIMIT OVER, PACC = 200");
        row("57: gap", 57, 4, "Error Code : 57, Error Value : 4");
        row("70: gap", 70, -1, "Error Code : 70, Error Value : -1");
        row("71: value ignored, no blank after the colon", 71, 5, "System Error 01 :Backup battery Low Voltage");
        row("72 with 5: not zero-filled", 72, 5, "System Error 02 : P5 LOC does not exist");
        row("73", 73, 12, "System Error 03 : S12 SFT does not exist");
        row("74", 74, 999, "System Error 04 : P999 LOC data S/W Limit Over");
        row("75", 75, 0, "System Error 05 : S0 SFT data S/W Limit Over");
        row("76", 76, 3, "System Error 06 : Circle Radius Limit Over");
        row("77 with 3: no blank before File", 77, 3, "System Error 07 : PRG3File does not exist");
        row("78", 78, 0, "System Error 08 : ZERO RETURN is not done");
        row("79 with 2", 79, 2, "System Error 09 : 2 axis Curr-Pos Lower Limit Over");
        row("80", 80, 1, "System Error 10 : 1 axis Curr-Pos Upper Limit Over");
        row("81", 81, 3, "System Error 11 : 3 axis Tracking Error");
        row("82", 82, 4, "System Error 12 : 4 axis Servo Error");
        row("83", 83, 1, "System Error 13 : 1 axis Positive Limit ON");
        row("84", 84, 2, "System Error 14 : 2 axis Negative Limit ON");
        row("85", 85, 3, "System Error 15 : 3 axis Goal-Pos Move Error");
        row("86", 86, 7, "System Error 16 : L7 Not Found");
        row("87", 87, 0, "System Error 17 : CALL Stack Full");
        row("88", 88, 0, "System Error 18 : CALL Current File");
        row("89", 89, 0, "System Error 19 : RET Stack Empty");
        row("90", 90, 1, "System Error 20 : 1 axis Invalid Positive Sensor");
        row("91: the spelling stays", 91, 2, "System Error 21 : 2 axis Invalid Nagative Sensor");
        row("92", 92, 3, "System Error 22 : 3 axis PWM OFF");
        row("93", 93, 0, "System Error 23 : IF FUNC. Max File Line Over");
        row("94", 94, 0, "System Error 24 : PC Communication Time Over");
        row("95", 95, 0, "System Error 25 : PC Communication Checksum Error");
        row("96", 96, 0, "System Error 26 : Emergency Switch ON!");
        row("97", 97, 4, "System Error 27 : PAL4 not define");
        row("98", 98, 5, "System Error 28 : PAL5 LOC does not define");
        row("99: last system error", 99, 6, "System Error 29 : SPL6 not define");
        row("100: gap", 100, 0, "Error Code : 100, Error Value : 0");
        row("110: gap", 110, 2, "Error Code : 110, Error Value : 2");
        row("111", 111, 31, "ChkSum Error 01 : PRG31 Crashed");
        row("112", 112, 100, "ChkSum Error 02 : P100 LOC Crash");
        row("113", 113, 99, "ChkSum Error 03 : S99 SFT Crash");
        row("114", 114, 1, "ChkSum Error 04 : System Parameter Crash");
        row("115", 115, 1, "ChkSum Error 05 : 1 ax Axis Parameter Crash");
        row("116", 116, 2, "ChkSum Error 06 : 2 ax Software Parameter Crash");
        row("117", 117, 3, "ChkSum Error 07 : 3 ax Limit Parameter Crash");
        row("118", 118, 4, "ChkSum Error 08 : 4 ax Gain Parameter Crash");
        row("119", 119, 0, "ChkSum Error 09 : MATRIX Info. Parameter crash");
        row("120: last checksum error", 120, 0, "ChkSum Error 10 : SPLINE Info. Parameter crash");
        row("121: above the table", 121, 0, "Error Code : 121, Error Value : 0");
        row("negative value inserted with its sign", 72, -5, "System Error 02 : P-5 LOC does not exist");
        row("negative code", -71, -32768, "Error Code : -71, Error Value : -32768");
        row("largest words", 32767, 32767, "Error Code : 32767, Error Value : 32767");
    }
    void ctrlErrorText()
    {
        QFETCH(int, code);
        QFETCH(int, value);
        QFETCH(QString, text);
        QCOMPARE(CtrlErrorText(std::int16_t(code), std::int16_t(value)), text);
    }
};

QTEST_MAIN(TestCtrlError)
#include "test_ctrl_error.moc"
