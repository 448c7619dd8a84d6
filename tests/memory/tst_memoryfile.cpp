#include "memory/memoryfile.h"

#include "pipewatch.h"
#include "uitest.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <csignal>

#include <sys/resource.h>

namespace {
MemoryRecords recordsOf(std::initializer_list<MemoryRecord> first)
{
    MemoryRecords records;
    std::copy(first.begin(), first.end(), records.begin());
    return records;
}

const QByteArray emptyRecord = "\"\",\"\"\r\n";

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}
} // namespace

class TestMemoryFile : public QObject {
    Q_OBJECT

private slots:
    void savedBytes_data()
    {
        QTest::addColumn<MemoryRecords>("records");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty sheet: ten records of two empty texts")
            << MemoryRecords{} << emptyRecord.repeated(10);
        QTest::newRow("channel 00 only") << recordsOf({{"2840000", "usb"}})
                                         << "\"2840000\",\"usb\"\r\n" + emptyRecord.repeated(9);
        QTest::newRow("texts kept as typed, commas and blanks included")
            << recordsOf({{" 28,4 ", "u,sb"}, {}, {"x", ""}})
            << "\" 28,4 \",\"u,sb\"\r\n" + emptyRecord + "\"x\",\"\"\r\n" + emptyRecord.repeated(7);
        QTest::newRow("a double quote is written doubled")
            << recordsOf({{"28\"4", "\""}}) << "\"28\"\"4\",\"\"\"\"\r\n" + emptyRecord.repeated(9);
        QTest::newRow("byte order marks and line ends inside texts")
            << recordsOf({{QString(QChar(0xFEFF)) + "1", "a\r\nb"}})
            << "\"\xEF\xBB\xBF"
               "1\",\"a\r\nb\"\r\n" +
                   emptyRecord.repeated(9);
        QTest::newRow("channel 09 last") << [] {
            MemoryRecords r;
            r[9] = {"0700000", "LSB"};
            return r;
        }() << emptyRecord.repeated(9) + "\"0700000\",\"LSB\"\r\n";
        QTest::newRow("text in channel 10: a hundred records") << [] {
            MemoryRecords r;
            r[10] = {"1405000", "cw"};
            return r;
        }() << emptyRecord.repeated(10) + "\"1405000\",\"cw\"\r\n" + emptyRecord.repeated(89);
        QTest::newRow("a mode alone in channel 99") << [] {
            MemoryRecords r;
            r[0] = {"2840000", "usb"};
            r[99] = {"", "am"};
            return r;
        }() << "\"2840000\",\"usb\"\r\n" + emptyRecord.repeated(98) + "\"\",\"am\"\r\n";
    }
    void savedBytes()
    {
        QFETCH(MemoryRecords, records);
        QFETCH(QByteArray, bytes);
        QCOMPARE(formatMemoryFile(records), bytes);
        // Whatever was written reads back as it was typed.
        const MemoryFileContents back = parseMemoryFile(bytes);
        QVERIFY(back.complete());
        QCOMPARE(back.records, records);
    }

    void reading_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("firstTexts"); // channels 00 and 01, frequency then mode
        QTest::addColumn<int>("fields");
        const QByteArray rest = emptyRecord.repeated(8);
        QTest::newRow("quoted") << "\"2840000\",\"usb\"\r\n\"0700000\",\"LSB\"\r\n" + rest
                                << QStringList{"2840000", "usb", "0700000", "LSB"} << 20;
        QTest::newRow("unquoted, blanks around fields dropped")
            << "2840000,usb\r\n  0700000 , LSB \r\n" + rest
            << QStringList{"2840000", "usb", "0700000", "LSB"} << 20;
        QTest::newRow("LF line ends")
            << QByteArray("1,a\n2,b\n").repeated(5) << QStringList{"1", "a", "2", "b"} << 20;
        QTest::newRow("CR line ends")
            << QByteArray("1,a\r2,b\r").repeated(5) << QStringList{"1", "a", "2", "b"} << 20;
        QTest::newRow("blank lines between records are not fields")
            << "1,a\r\n\r\n\n2,b\r\n" + rest << QStringList{"1", "a", "2", "b"} << 20;
        QTest::newRow("comma at line end is an empty field")
            << "1,\r\n,b\r\n" + rest << QStringList{"1", "", "", "b"} << 20;
        QTest::newRow("fields run on past channel 09")
            << QByteArray("\"1\",\"a\",\"2\"\r\n").repeated(9) << QStringList{"1", "a", "2", "1"}
            << 27;
        QTest::newRow("over-long: only the first two hundred fields")
            << QByteArray("1,a\r\n").repeated(130) << QStringList{"1", "a", "1", "a"} << 200;
        QTest::newRow("short: what is there, the rest empty")
            << QByteArray("\"1\",\"a\"\r\n\"2\"") << QStringList{"1", "a", "2", ""} << 3;
        QTest::newRow("short, ends after a comma")
            << QByteArray("1,") << QStringList{"1", "", "", ""} << 2;
        QTest::newRow("empty file") << QByteArray() << QStringList{"", "", "", ""} << 0;
        QTest::newRow("quoted field keeps commas and line ends")
            << "\"a,b\",\"c\r\nd\"\r\n" + emptyRecord.repeated(9)
            << QStringList{"a,b", "c\r\nd", "", ""} << 20;
        QTest::newRow("text after a closing quote is not part of the field")
            << "\"1\"x,\"a\" \r\n" + emptyRecord.repeated(9) << QStringList{"1", "a", "", ""} << 20;
        QTest::newRow("unterminated quote runs to the end")
            << QByteArray("\"1,a") << QStringList{"1,a", "", "", ""} << 1;
        QTest::newRow("UTF-8 text and byte order mark")
            << "\xEF\xBB\xBF\"7\xC3\xA9\",\"x\"\r\n" + emptyRecord.repeated(9)
            << QStringList{QString::fromUtf8("7\xC3\xA9"), "x", "", ""} << 20;
        QTest::newRow("one-byte code page text")
            << "\"7\xE9\",\"x\"\r\n" + emptyRecord.repeated(9)
            << QStringList{QString::fromLatin1("7\xE9"), "x", "", ""} << 20;
    }
    void reading()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, firstTexts);
        QFETCH(int, fields);
        const MemoryFileContents read = parseMemoryFile(bytes);
        QCOMPARE(read.fields, fields);
        QCOMPARE((QStringList{read.records[0].frequency, read.records[0].mode,
                              read.records[1].frequency, read.records[1].mode}),
                 firstTexts);
        for (int channel = 2; channel < MemoryFileChannels && fields < 20; ++channel)
            QCOMPARE(read.records[channel], MemoryRecord{});
    }

    void shortFileCountsChannelsRead()
    {
        QCOMPARE(parseMemoryFile("1,a\r\n2").channelsRead(), 2);
        QCOMPARE(parseMemoryFile("1,a\r\n2,b\r\n").channelsRead(), 2);
        QCOMPARE(parseMemoryFile("").channelsRead(), 0);
        QVERIFY(!parseMemoryFile("1,a\r\n").complete());
    }

    void fileSaveReplacesAndReadsBack()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sheet.mem"));
        writeAll(path, QByteArray("old contents that are longer than the new ones").repeated(40));
        const MemoryRecords records = recordsOf({{"2840000", "usb"}, {"14,2", "say \"hi\""}});
        QCOMPARE(writeMemoryFile(path, records), QString());
        QCOMPARE(readAll(path), formatMemoryFile(records));
        const MemoryFileRead read = readMemoryFile(path);
        QCOMPARE(read.problem, QString());
        QCOMPARE(read.contents.records, records);
        // Nothing but the file itself is left in the folder.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"sheet.mem"});
    }

    void failedSaveLeavesOldFileAndSaysSo()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sheet.mem"));
        writeAll(path, "\"1\",\"a\"\r\n");
        // A disk that fills up half way through: writes past 1 KiB fail.
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = 1024;
        const auto oldSignal = signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const QString problem =
            writeMemoryFile(path, recordsOf({{QString(4000, QLatin1Char('7')), "usb"}}));
        setrlimit(RLIMIT_FSIZE, &old);
        signal(SIGXFSZ, oldSignal);

        QVERIFY(problem.contains(QDir::toNativeSeparators(path)));
        QVERIFY(problem.contains(QStringLiteral("could not be saved")));
        QCOMPARE(readAll(path), QByteArray("\"1\",\"a\"\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"sheet.mem"});

        // A folder in the way of the name is a failure too, never a success.
        QVERIFY(!writeMemoryFile(dir.path(), MemoryRecords{}).isEmpty());
    }

    // What cannot be a memory file is refused whole, naming the file and what
    // is wrong, and nothing of it is loaded: a file larger than any memory
    // file (never read cut short), data that is not text, a field longer than
    // any box of the sheet, a named pipe (never waited on).
    void filesThatCannotBeMemoryFilesAreRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("why"); // %1: the file
        const QString notAMemoryFile =
            "%1 cannot be a memory file: %2. Choose a .mem or .txt file of one line per channel, "
            "each a frequency and a mode. The sheet was not changed.";
        QTest::newRow("50 MB of random bytes")
            << "random" << QByteArray()
            << "The memory file %1 is 52428800 bytes long, more than a memory file can be (at "
               "most 33554432 bytes; one that Quillard saves is a few kilobytes), so it was not "
               "loaded. Choose the file you saved from the memory window. The sheet was not "
               "changed.";
        QTest::newRow("a picture")
            << "file" << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
            << notAMemoryFile.arg("%1", "it holds control characters, as programs, pictures "
                                        "and other data do, not text (the first, byte 0x1A, is "
                                        "on line 2)");
        QTest::newRow("a NUL in the second record")
            << "file" << QByteArray("\"2840000\",\"usb\"\r\n\"0700\0000\",\"lsb\"\r\n", 33)
            << notAMemoryFile.arg("%1", "it holds control characters, as programs, pictures "
                                        "and other data do, not text (the first, byte 0x00, is "
                                        "on line 2)");
        QTest::newRow("an escape sequence")
            << "file" << QByteArray("2840000,\x1b[1musb\n")
            << notAMemoryFile.arg("%1", "it holds control characters, as programs, pictures "
                                        "and other data do, not text (the first, byte 0x1B, is "
                                        "on line 1)");
        QTest::newRow("one line of 1 MB")
            << "file"
            << "\"" + QByteArray(1048576, '1') + "\",\"usb\"\r\n"
            << notAMemoryFile.arg("%1", "the frequency of channel 00 is 1048576 characters "
                                        "long, far longer than any entry (a box of the sheet "
                                        "holds 32767)");
        QTest::newRow("a mode one character too long")
            << "file" << emptyRecord.repeated(3) + "\"1\",\"" + QByteArray(32768, 'u') + "\"\r\n"
            << notAMemoryFile.arg("%1", "the mode of channel 03 is 32768 characters long, far "
                                        "longer than any entry (a box of the sheet holds 32767)");
        QTest::newRow("a named pipe")
            << "pipe" << QByteArray()
            << "%1 is not a plain file (it is a pipe or a device), so it cannot be a memory "
               "file. Choose a .mem or .txt file. The sheet was not changed.";
    }

    void filesThatCannotBeMemoryFilesAreRefused()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, content);
        QFETCH(QString, why);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("picked.mem"));
        std::unique_ptr<PipeWatch> pipe;
        if (kind == "random") {
            QByteArray bytes(50 * 1024 * 1024, Qt::Uninitialized);
            QRandomGenerator(570).fillRange(reinterpret_cast<quint32*>(bytes.data()),
                                            bytes.size() / 4);
            writeAll(path, bytes);
        } else if (kind == "pipe") {
            pipe = std::make_unique<PipeWatch>(path);
        } else {
            writeAll(path, content);
        }
        const MemoryFileRead read = readMemoryFile(path);
        QCOMPARE(read.problem, why.arg(path));
        QCOMPARE(read.contents.records, MemoryRecords{});
        if (pipe)
            QVERIFY2(!pipe->readerWaited(), "loading waited in the opening of a named pipe");
    }

    // Text as the sheet can hold it loads: tabs, a DOS end-of-file mark, and
    // entries as long as a box takes.
    void textThatCanBeAMemoryFileLoads()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sheet.txt"));
        const QString longest(32767, QLatin1Char('7'));
        writeAll(path, "\"2840000\",\"u\tsb\"\r\n\"" + longest.toLatin1() + "\",\"cw\"\r\n\x1a");
        const MemoryFileRead read = readMemoryFile(path);
        QCOMPARE(read.problem, QString());
        QCOMPARE(read.contents.records[0], (MemoryRecord{"2840000", "u\tsb"}));
        QCOMPARE(read.contents.records[1], (MemoryRecord{longest, "cw"}));
    }

    // A text that a memory file could not give back (a control character,
    // which pasting can bring into a box) is refused before anything is written.
    void textsAMemoryFileCannotKeepAreNotSaved()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sheet.mem"));
        writeAll(path, "\"1\",\"a\"\r\n");
        const QString problem = writeMemoryFile(path, recordsOf({{"2840000", "usb"},
                                                                 {},
                                                                 {},
                                                                 {"0700000", "ls\x01"
                                                                             "b"}}));
        QCOMPARE(problem, QStringLiteral("The mode of channel 03 holds a control character (0x01), "
                                         "which a memory file cannot keep. Remove it (it may have "
                                         "come with pasted text) and save again. Nothing was "
                                         "saved."));
        QCOMPARE(readAll(path), QByteArray("\"1\",\"a\"\r\n"));
        // Tabs are text.
        QCOMPARE(writeMemoryFile(path, recordsOf({{"2840000", "u\tsb"}})), QString());
    }

    void unreadableFilesAreNamed()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("nothere.mem"));
        const MemoryFileRead read = readMemoryFile(missing);
        QVERIFY(read.problem.contains(QDir::toNativeSeparators(missing)));
        QVERIFY(read.problem.contains(QStringLiteral("cannot be opened")));
        QVERIFY(readMemoryFile(dir.path()).problem.contains(QStringLiteral("folder")));
    }
};

QUILLARD_TEST_MAIN(TestMemoryFile)
#include "tst_memoryfile.moc"
