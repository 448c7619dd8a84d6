// What an operator types for a frequency or an offset: the forms taken, to
// the hertz, and the ones refused, each with the sentence the operator reads.

#include "station/frequencyentry.h"

#include <QTest>

Q_DECLARE_METATYPE(RadioModel)

namespace {
const QString forms = QStringLiteral("kHz (14074 or 14074.5), MHz (14.074, or 14.074 MHz) or Hz "
                                     "(14074000 Hz); 14,074.000 with commas is kHz too");
const QString rangeD = QStringLiteral("TS-570D's range, 500 kHz to 30 MHz.");
const QString rangeS = QStringLiteral("TS-570S's range, 500 kHz to 60 MHz.");
} // namespace

class TestFrequencyEntry : public QObject {
    Q_OBJECT

private slots:
    void acceptedForms_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<quint64>("hertz");
        const RadioModel d = RadioModel::TS570D;
        const RadioModel s = RadioModel::TS570S;
        QTest::newRow("kHz") << "14074" << d << quint64(14074000);
        QTest::newRow("kHz with a fraction") << "14074.5" << d << quint64(14074500);
        QTest::newRow("kHz to the hertz") << "3573.125" << d << quint64(3573125);
        QTest::newRow("MHz below 100 with a point") << "14.074" << d << quint64(14074000);
        QTest::newRow("MHz with four decimals") << "7.0305" << d << quint64(7030500);
        QTest::newRow("MHz to the hertz") << "14.074123" << d << quint64(14074123);
        QTest::newRow("MHz, trailing zeros past the hertz")
            << "14.07400000" << d << quint64(14074000);
        QTest::newRow("MHz with its unit") << "14.074 MHz" << d << quint64(14074000);
        QTest::newRow("whole MHz with its unit, any case") << "7mhz" << d << quint64(7000000);
        QTest::newRow("kHz with its unit") << "7030 kHz" << d << quint64(7030000);
        QTest::newRow("Hz") << "14074000 Hz" << d << quint64(14074000);
        QTest::newRow("thousands separator") << "14,074.000" << d << quint64(14074000);
        QTest::newRow("thousands separators in Hz") << "14,074,000 Hz" << d << quint64(14074000);
        QTest::newRow("blanks around") << "  3573 " << d << quint64(3573000);
        QTest::newRow("leading point is MHz") << ".5" << d << quint64(500000);
        QTest::newRow("lowest, included") << "500" << d << quint64(500000);
        QTest::newRow("D's highest, included") << "30.0" << d << quint64(30000000);
        QTest::newRow("S: 6 m") << "50.125" << s << quint64(50125000);
        QTest::newRow("S: 6 m's top, included") << "54 MHz" << s << quint64(54000000);
        QTest::newRow("S: HF as on a D") << "28.074" << s << quint64(28074000);
        QTest::newRow("S: general coverage above HF") << "35.0" << s << quint64(35000000);
        QTest::newRow("S's highest, included") << "60 MHz" << s << quint64(60000000);
    }

    void acceptedForms()
    {
        QFETCH(QString, typed);
        QFETCH(RadioModel, model);
        QFETCH(quint64, hertz);
        const TypedFrequency read = readFrequency(typed, model);
        QCOMPARE(read.problem, QString());
        QCOMPARE(read.hertz, std::optional<quint64>(hertz));
    }

    void refusedForms_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<QString>("problem");
        const RadioModel d = RadioModel::TS570D;
        const RadioModel s = RadioModel::TS570S;
        QTest::newRow("empty") << "" << d << "Type a frequency: " + forms + ".";
        QTest::newRow("blanks") << "   " << d << "Type a frequency: " + forms + ".";
        QTest::newRow("letters") << "abc" << d << "\"abc\" is not a frequency. Type " + forms + ".";
        QTest::newRow("a unit alone")
            << "MHz" << d << "\"MHz\" is not a frequency. Type " + forms + ".";
        QTest::newRow("two decimal points")
            << "14.07.4" << d << "\"14.07.4\" has more than one decimal point. Type " + forms + ".";
        QTest::newRow("negative") << "-14074" << d << "A frequency cannot be negative: \"-14074\".";
        QTest::newRow("comma out of place")
            << "14,07" << d
            << "\"14,07\": a comma goes only between groups of three digits before the decimal "
               "point, as in 14,074.5 (kHz).";
        QTest::newRow("finer than a hertz")
            << "14.0740001" << d
            << "14.0740001 MHz is finer than 1 Hz, which the radio cannot tune.";
        QTest::newRow("30.0001 MHz on a D")
            << "30.0001" << d << "30.0001 MHz is outside the " + rangeD;
        QTest::newRow("499.999 kHz") << "499.999" << d << "499.999 kHz is outside the " + rangeD;
        QTest::newRow("499.999 kHz on an S")
            << "499.999" << s << "499.999 kHz is outside the " + rangeS;
        QTest::newRow("6 m on a D") << "50.1" << d << "50.1 MHz is outside the " + rangeD;
        QTest::newRow("above 60 MHz on an S")
            << "60.001" << s << "60.001 MHz is outside the " + rangeS;
        QTest::newRow("a point at 100 and over is kHz")
            << "100.5" << d << "100.5 kHz is outside the " + rangeD;
        QTest::newRow("megahertz meant, kilohertz read")
            << "14" << d
            << "14 kHz is outside the " + rangeD + " For megahertz, type a decimal point: 14.0.";
        QTest::newRow("more digits than any frequency")
            << "99999999999999999999 Hz" << d << "99999999999999999999 Hz is outside the " + rangeD;
    }

    void refusedForms()
    {
        QFETCH(QString, typed);
        QFETCH(RadioModel, model);
        QFETCH(QString, problem);
        const TypedFrequency read = readFrequency(typed, model);
        QCOMPARE(read.problem, problem);
        QVERIFY(!read.hertz);
    }

    // Offsets: hertz in the radio's 10 Hz steps, up to 9990 Hz either side.
    void offsets_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("hertz"); // 0 with a problem
        QTest::addColumn<QString>("problem");
        const QString how =
            QStringLiteral("Type the offset in hertz, -9990 to 9990 in steps of 10 (120, -50).");
        QTest::newRow("plain") << "120" << 120 << "";
        QTest::newRow("minus, with its unit") << "-50 Hz" << -50 << "";
        QTest::newRow("plus, at the limit") << "+9990" << 9990 << "";
        QTest::newRow("minus, at the limit") << "-9990" << -9990 << "";
        QTest::newRow("zero") << "0" << 0 << "";
        QTest::newRow("empty") << "" << 0 << how;
        QTest::newRow("letters") << "ten" << 0 << "\"ten\" is not an offset. " + how;
        QTest::newRow("beyond the limit")
            << "10000" << 0
            << "\"10000\" is beyond the radio's limit: the offset reaches 9990 Hz either side.";
        QTest::newRow("between steps")
            << "125" << 0 << "The offset moves in steps of 10 Hz: type 120 or 130.";
        QTest::newRow("between steps, minus")
            << "-125" << 0 << "The offset moves in steps of 10 Hz: type -130 or -120.";
    }

    void offsets()
    {
        QFETCH(QString, typed);
        QFETCH(int, hertz);
        QFETCH(QString, problem);
        const TypedOffset read = readOffset(typed);
        QCOMPARE(read.problem, problem);
        QCOMPARE(read.hertz, problem.isEmpty() ? std::optional<int>(hertz) : std::nullopt);
    }
};

QTEST_APPLESS_MAIN(TestFrequencyEntry)
#include "tst_frequencyentry.moc"
