#include "memory/rigmemcsv.h"

#include "uitest.h"

#include <QTemporaryDir>

namespace {
const QByteArray keys = "num,freq,mode,tx_freq,tx_mode,split,ctcss_tone,\n";

QStringList channelsOf(const RigmemImport& read)
{
    QStringList texts;
    for (const RigmemChannel& channel : read.channels)
        texts << QStringLiteral("%1 %2 %3")
                     .arg(channel.channel)
                     .arg(channel.texts.frequency, channel.texts.mode);
    return texts;
}
} // namespace

class TestRigmemCsv : public QObject {
    Q_OBJECT

private slots:
    void importsWhatRigmemSaves_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("channels");
        QTest::addColumn<int>("problems");
        QTest::newRow("as rigmem save writes it for a TS-570")
            << keys + "0,14200000,USB,0,,off,0,\n"
                      "7,3650000,LSB,0,,off,0,\n"
                      "45,7030000,CW,0,,off,0,\n"
                      "60,29600000,FM,0,,off,0,\n"
                      "88,5000000,AM,0,,off,0,\n"
                      "99,14080000,RTTY,0,,off,0,\n"
            << QStringList{"0 1420000 USB", "7 0365000 LSB", "45 0703000 CW",
                           "60 2960000 FM", "88 0500000 AM", "99 1408000 FSK"}
            << 0;
        QTest::newRow("CR LF, blank lines, decimals, lower-case modes")
            << "\r\nnum,freq,mode,\r\n\r\n3,7030000.000000,cw,\r\n4,10,usb,\r\n"_qba
            << QStringList{"3 0703000 CW", "4 0000001 USB"} << 0;
        QTest::newRow("columns found by name, in any order, last comma optional")
            << "mode,num,freq\nFM,12,145500000\nUSB,13,50100000\n"_qba
            << QStringList{"13 5010000 USB"} << 1; // 145.5 MHz is more than the sheet holds
        QTest::newRow("a split with the receive frequency again is no split")
            << keys + "5,7030000,CW,7030000,CW,on,0,\n"
            << QStringList{"5 0703000 CW"} << 0;
        QTest::newRow("split on with no transmit frequency") << keys + "5,7030000,CW,0,,on,0,\n"
                                                             << QStringList{"5 0703000 CW"} << 0;
    }
    void importsWhatRigmemSaves()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, channels);
        const RigmemImport read = parseRigmemCsv(bytes);
        QCOMPARE(read.fault, QString());
        QCOMPARE(channelsOf(read), channels);
        QTEST(static_cast<int>(read.problems.size()), "problems");
    }

    // What the sheet cannot hold is named by its line; a channel whose
    // frequency or mode cannot be held is left alone, and one whose split or
    // tone cannot is imported without them.
    void namesByLineWhatTheSheetCannotHold_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QStringList>("channels");
        QTest::addColumn<QString>("problem");
        QTest::newRow("hertz not whole tens")
            << "45,7030005,CW,0,,off,0,"_qba << QStringList()
            << "Line 2 (channel 45): the frequency 7030005 Hz is not whole tens of hertz, which "
               "the sheet's seven digits in tens of hertz cannot hold; channel 45 of the sheet "
               "was not changed.";
        QTest::newRow("above seven digits")
            << "45,100000000,FM,0,,off,0,"_qba << QStringList()
            << "Line 2 (channel 45): the frequency 100000000 Hz is above 99999990 Hz, which the "
               "sheet's seven digits in tens of hertz cannot hold; channel 45 of the sheet was "
               "not changed.";
        QTest::newRow("not a number") << "45,7.03MHz,CW,0,,off,0,"_qba << QStringList()
                                      << "Line 2 (channel 45): the frequency \"7.03MHz\" is not a "
                                         "number of hertz; channel 45 of the sheet was not "
                                         "changed.";
        QTest::newRow("CW reverse") << "9,7030000,CWR,0,,off,0,"_qba << QStringList()
                                    << "Line 2 (channel 09): the mode \"CWR\" has no word in the "
                                       "sheet (it has LSB, USB, CW, FM, AM and FSK, which rigmem "
                                       "calls RTTY); channel 09 of the sheet was not changed.";
        QTest::newRow("no mode") << "9,7030000,,0,,off,0,"_qba << QStringList()
                                 << "Line 2 (channel 09): the mode \"\" has no word in the sheet "
                                    "(it has LSB, USB, CW, FM, AM and FSK, which rigmem calls "
                                    "RTTY); channel 09 of the sheet was not changed.";
        QTest::newRow("channel 100") << "100,7030000,CW,0,,off,0,"_qba << QStringList()
                                     << "Line 2: \"100\" is not a channel of the radio (0 to 99); "
                                        "the line was not imported.";
        QTest::newRow("split transmit frequency")
            << "12,14200000,USB,14300000,USB,on,0,"_qba << QStringList{"12 1420000 USB"}
            << "Line 2 (channel 12): the split transmit frequency 14300000 Hz USB is not kept, "
               "as the sheet holds one frequency per channel; the receive frequency was "
               "imported.";
        QTest::newRow("tone") << "60,29600000,FM,0,,off,885,"_qba << QStringList{"60 2960000 FM"}
                              << "Line 2 (channel 60): the CTCSS tone 885 (tenths of a hertz) is "
                                 "not kept, as the sheet holds no tones; the frequency and mode "
                                 "were imported.";
    }
    void namesByLineWhatTheSheetCannotHold()
    {
        QFETCH(QByteArray, line);
        QFETCH(QStringList, channels);
        QFETCH(QString, problem);
        const RigmemImport read = parseRigmemCsv(keys + line + "\n");
        QCOMPARE(channelsOf(read), channels);
        QCOMPARE(read.problems, QStringList{problem});
        // The line's channel counts as held by the file, kept or not.
        QCOMPARE(read.mentioned.size(), line.startsWith("100,") ? 0 : 1);
    }

    void aChannelTwiceAndColumnsOfOtherRadios()
    {
        const RigmemImport read = parseRigmemCsv("num,channel_desc,freq,mode,flags,\n"
                                                 "3,HOME,7030000,CW,0,\n"
                                                 "3,,3650000,LSB,0,\n");
        QCOMPARE(channelsOf(read), QStringList{"3 0703000 CW"});
        QCOMPARE(read.problems,
                 QStringList({"Line 2 (channel 03): the column channel_desc (HOME) is not kept, "
                              "as the sheet has no place for it; the frequency and mode were "
                              "imported.",
                              "Line 3 (channel 03): the channel was already on line 2; this line "
                              "was not imported."}));
    }

    void refusesWhatIsNoRigmemFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("fault");
        const QString noKeys = "its first line does not name the columns num, freq and mode, as "
                               "the first line of a file rigmem saves does "
                               "(num,freq,mode,tx_freq,tx_mode,split,ctcss_tone,)";
        QTest::newRow("a memory file") << "\"2840000\",\"usb\"\r\n"_qba << noKeys;
        QTest::newRow("empty") << QByteArray() << noKeys;
        QTest::newRow("keys after data") << "45,7030000,CW,\n"_qba + keys << noKeys;
        QTest::newRow("binary") << QByteArray("num,freq,mode,\n\x7f"
                                              "ELF\x02\x01",
                                              20)
                                << "it holds control characters, as programs, pictures and "
                                   "other data do, not text";
    }
    void refusesWhatIsNoRigmemFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, fault);
        const RigmemImport read = parseRigmemCsv(bytes);
        QCOMPARE(read.fault, fault);
        QVERIFY(read.channels.isEmpty());
    }

    void exportWritesWhatRigmemLoads()
    {
        MemoryRecords records;
        records[0] = {"1420000", "usb"};
        records[5] = {"0000000", "LSB"}; // seven zeros erase the radio's channel
        records[6] = {"", "cw"};         // no frequency: nothing to write
        records[45] = {"0703000", "cw"};
        records[46] = {"284000", "usb"};
        records[47] = {"2840000", "Usb"};
        records[99] = {"1408000", "fsk"};
        const RigmemExport exported = formatRigmemCsv(records);
        QCOMPARE(exported.bytes, keys + "0,14200000,USB,0,,off,0,\n"
                                        "5,0,LSB,0,,off,0,\n"
                                        "45,7030000,CW,0,,off,0,\n"
                                        "99,14080000,RTTY,0,,off,0,\n");
        QCOMPARE(exported.channels, 4);
        QCOMPARE(exported.problems,
                 QStringList({"Channel 46: the frequency \"284000\" is not seven digits; the "
                              "channel was not exported.",
                              "Channel 47: the mode \"Usb\" is not one of lsb, usb, cw, fm, am or "
                              "fsk (all in lower case or all in upper case); the channel was not "
                              "exported."}));
        // What Export writes, Import reads back channel by channel.
        QCOMPARE(
            channelsOf(parseRigmemCsv(exported.bytes)),
            QStringList({"0 1420000 USB", "5 0000000 LSB", "45 0703000 CW", "99 1408000 FSK"}));
        QCOMPARE(formatRigmemCsv(MemoryRecords{}).bytes, keys);
    }

    void filesAreNamedInProblems()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("radio.csv");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\"2840000\",\"usb\"\r\n");
        file.close();
        QCOMPARE(readRigmemFile(path).problem,
                 path + " cannot be a file that rigmem saved: its first line does not name the "
                        "columns num, freq and mode, as the first line of a file rigmem saves "
                        "does (num,freq,mode,tx_freq,tx_mode,split,ctcss_tone,). Choose the .csv "
                        "file that \"rigmem save\" wrote. The sheet was not changed.");
        QCOMPARE(readRigmemFile(dir.path()).problem,
                 dir.path() + " is a folder, not a rigmem file. Choose a .csv file that rigmem "
                              "saved. The sheet was not changed.");
        QCOMPARE(writeRigmemFile(path, keys), QString());
        QCOMPARE(readRigmemFile(path).problem, QString());
        QVERIFY(writeRigmemFile(dir.filePath("no/such/folder.csv"), keys)
                    .contains("The rigmem file " + dir.filePath("no/such/folder.csv") +
                              " could not be saved"));
    }
};

QUILLARD_TEST_MAIN(TestRigmemCsv)
#include "tst_rigmemcsv.moc"
