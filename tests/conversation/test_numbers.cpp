#include "conversation/numbers.h"

#include <QTest>

class TestNumbers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("digits") << "21" << 21.0;
        QTest::newRow("colon ends the number") << "7:" << 7.0;
        QTest::newRow("blank between digits") << "1 2" << 12.0;
        QTest::newRow("line feed between digits") << "1\n2" << 12.0;
        QTest::newRow("tab before sign") << "\t-3" << -3.0;
        QTest::newRow("blank after sign") << "- 5" << -5.0;
        QTest::newRow("carriage return ends it") << "1\r2" << 1.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("plus sign") << "+5" << 5.0;
        QTest::newRow("two signs") << "+-5" << 0.0;
        QTest::newRow("point alone") << "." << 0.0;
        QTest::newRow("point first") << ".9" << 0.9;
        QTest::newRow("point last") << "3." << 3.0;
        QTest::newRow("fraction") << "12.25x" << 12.25;
        QTest::newRow("second point ends it") << "1.2.3" << 1.2;
        QTest::newRow("letter first") << "x5" << 0.0;
        QTest::newRow("full-width digits are not digits") << "１２" << 0.0;
        QTest::newRow("full-width blank is not skipped") << "　5" << 0.0;
    }
    void textValue()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(TextValue(text), value);
    }

    void roundInt_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("rounded");
        QTest::newRow("0.5 to even 0") << 0.5 << 0;
        QTest::newRow("1.5 to even 2") << 1.5 << 2;
        QTest::newRow("2.5 to even 2") << 2.5 << 2;
        QTest::newRow("-0.5 to even 0") << -0.5 << 0;
        QTest::newRow("-1.5 to even -2") << -1.5 << -2;
        QTest::newRow("0.9 up") << 0.9 << 1;
        QTest::newRow("0.4 down") << 0.4 << 0;
        QTest::newRow("above the range saturates") << 1e9 << 32767;
        QTest::newRow("below the range saturates") << -1e9 << -32768;
    }
    void roundInt()
    {
        QFETCH(double, value);
        QFETCH(int, rounded);
        QCOMPARE(int(RoundInt(value)), rounded);
    }

    void numberText_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0 << " 0";
        QTest::newRow("positive") << 21 << " 21";
        QTest::newRow("negative") << -5 << "-5";
    }
    void numberText()
    {
        QFETCH(int, number);
        QFETCH(QString, text);
        QCOMPARE(NumberText(qint16(number)), text);
    }
};

QTEST_GUILESS_MAIN(TestNumbers)
#include "test_numbers.moc"
