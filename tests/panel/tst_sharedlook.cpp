// What the windows keep in memory: their pictures are read without asking
// any image-format plugin (only PNG is ever read), and every opening of a
// window shares one palette with the openings before, so the images the
// style caches for its buttons are found again instead of piling up.

#include "about/frmabout.h"
#include "guides/form4.h"
#include "guides/form5.h"
#include "guides/form7.h"
#include "guides/form8.h"
#include "guides/form9.h"
#include "memory/form1.h"
#include "panel/form2.h"
#include "timeline.h"
#include "uitest.h"

#include <QAbstractButton>
#include <QFile>

#include <functional>
#include <memory>

namespace {
QStringList imageFormatPluginsLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return {QStringLiteral("<no /proc/self/maps>")};
    QStringList plugins;
    for (const QByteArray& line : maps.readAll().split('\n')) {
        if (line.contains("/imageformats/"))
            plugins << QString::fromLocal8Bit(line.mid(line.lastIndexOf(' ') + 1));
    }
    plugins.removeDuplicates();
    return plugins;
}

using Open = std::function<QWidget*(SparePort&)>;

struct PaletteKeys {
    qint64 window = 0;
    qint64 button = 0;
    bool operator==(const PaletteKeys&) const = default;
};

PaletteKeys keysOf(QWidget* window)
{
    window->show();
    QCoreApplication::processEvents();
    const auto* button = window->findChild<QAbstractButton*>();
    return {window->palette().cacheKey(), button ? button->palette().cacheKey() : 0};
}
} // namespace

Q_DECLARE_METATYPE(Open)

class TestSharedLook : public QObject {
    Q_OBJECT

    SparePort m_port;

private slots:
    // Runs first, before any other window of this program has been built.
    void noImageFormatPluginIsLoaded()
    {
        TestEnvironment env;
        Timeline timeline;
        Form2 main;
        main.show();
        QCoreApplication::processEvents();
        frmAbout about;
        about.show();
        QCoreApplication::processEvents();
        QCOMPARE(imageFormatPluginsLoaded(), QStringList());
    }

    void everyOpeningSharesOnePalette_data()
    {
        QTest::addColumn<Open>("open");
        QTest::newRow("SSTV") << Open([](SparePort& port) { return new Form4(port.lend()); });
        QTest::newRow("Short Wave") << Open([](SparePort& port) { return new Form5(port.lend()); });
        QTest::newRow("SAREX") << Open([](SparePort& port) { return new Form7(port.lend()); });
        QTest::newRow("Code Reception")
            << Open([](SparePort& port) { return new Form9(port.lend()); });
        QTest::newRow("Band Plan") << Open([](SparePort&) { return new Form8; });
        QTest::newRow("About") << Open([](SparePort&) { return new frmAbout; });
        QTest::newRow("Memories") << Open([](SparePort& port) { return new Form1(port.lend()); });
    }

    void everyOpeningSharesOnePalette()
    {
        QFETCH(Open, open);
        TestEnvironment env;
        Timeline timeline;
        std::unique_ptr<QWidget> first(open(m_port));
        const PaletteKeys before = keysOf(first.get());
        first.reset();
        std::unique_ptr<QWidget> second(open(m_port));
        QCOMPARE(keysOf(second.get()), before);
    }
};

QUILLARD_TEST_MAIN(TestSharedLook)
#include "tst_sharedlook.moc"
