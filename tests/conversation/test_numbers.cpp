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
        const struct { const char *text; double value; } rows[] = {
            {"", 0}, {"21", 21}, {"7:", 7}, {"1 2", 12}, {"1\n2", 12}, {"\t-3", -3}, {"- 5", -5},
            {"1\r2", 1}, {"-", 0}, {"+5", 5}, {"+-5", 0}, {".", 0}, {".9", 0.9}, {"3.", 3},
            {"12.25x", 12.25}, {"1.2.3", 1.2}, {"x5", 0}, {"１２", 0}, {"　5", 0},
        };
        for (const auto &row : rows)
            QTest::addRow("\"%s\"", row.text) << QString::fromUtf8(row.text) << row.value;
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
        const struct { double value; int rounded; } rows[] = {
            {0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {0.9, 1}, {0.4, 0}, {1e9, 32767}, {-1e9, -32768},
        };
        for (const auto &row : rows)
            QTest::addRow("%g", row.value) << row.value << row.rounded;
    }
    void roundInt()
    {
        QFETCH(double, value);
        QFETCH(int, rounded);
        QCOMPARE(int(RoundInt(value)), rounded);
    }

    void numberText()
    {
        QCOMPARE(NumberText(0), QStringLiteral(" 0"));
        QCOMPARE(NumberText(21), QStringLiteral(" 21"));
        QCOMPARE(NumberText(-5), QStringLiteral("-5"));
    }
};

QTEST_GUILESS_MAIN(TestNumbers)
#include "test_numbers.moc"
