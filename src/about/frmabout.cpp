#include "about/frmabout.h"

#include "platform/platform.h"
#include "ui/look.h"
#include "ui/messagebox.h"
#include "ui/pictures.h"
#include "ui/version.h"

#include <QLabel>
#include <QPushButton>

#include <array>

namespace {
enum class Look { Title, Version, Description, Caption, Link };

struct LabelSpec {
    const char* name;
    const char* text; // empty: set at load
    QRect geometry;
    Look look;
};

const std::array<LabelSpec, 7> labels = {{
    {"lblTitle", "", QRect(4, 4, 394, 22), Look::Title},
    {"lblVersion", "", QRect(4, 23, 394, 15), Look::Version},
    {"lblDescription", "Radio Control Program for the Kenwood TS-570 and Other Models.",
     QRect(4, 54, 394, 21), Look::Description},
    {"Label1", "WebSite:", QRect(85, 93, 56, 16), Look::Caption},
    {"cmdGoto", "quillard.example.org", QRect(143, 93, 180, 18), Look::Link},
    {"Label3", "Email:", QRect(128, 109, 44, 16), Look::Caption},
    {"cmdGoto2", "quillard@example.org", QRect(173, 109, 130, 19), Look::Link},
}};

void applyLook(QLabel* label, Look look)
{
    switch (look) {
    case Look::Title:
        label->setFont(designFont(9.75, true));
        label->setStyleSheet(QStringLiteral("color: black;"));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        break;
    case Look::Version:
        label->setFont(designFont(9.75, true));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        break;
    case Look::Description:
        label->setFont(designFont(8.25, true));
        label->setStyleSheet(QStringLiteral("color: rgb(0, 0, 128);"));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        break;
    case Look::Caption:
        label->setFont(designFont(8.25, true));
        break;
    case Look::Link: {
        // Looks like a link; clicking it does nothing.
        QFont font = designFont(8.25, false);
        font.setUnderline(true);
        label->setFont(font);
        label->setStyleSheet(QStringLiteral("color: rgb(0, 0, 192);"));
        label->setTextInteractionFlags(Qt::NoTextInteraction);
        break;
    }
    }
}

QLabel* picture(QWidget* parent, const char* name, const char* file, const QRect& geometry,
                const char* description)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAccessibleName(QString::fromLatin1(description));
    label->setPixmap(QPixmap::fromImage(loadPicture(QString::fromLatin1(file))));
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(geometry);
    return label;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, const QRect& geometry)
{
    auto* push = new QPushButton(QString::fromLatin1(caption), parent);
    push->setObjectName(QString::fromLatin1(name));
    // Read aloud without the access key's marker.
    push->setAccessibleName(QString(push->text()).remove(QLatin1Char('&')));
    push->setGeometry(geometry);
    return push;
}
} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    makeFixedDialog(this, QSize(401, 350));
    fillBackground(this, QColor(192, 192, 192));

    for (const LabelSpec& spec : labels) {
        auto* label = new QLabel(QString::fromLatin1(spec.text), this);
        label->setObjectName(QString::fromLatin1(spec.name));
        label->setAccessibleName(label->text());
        label->setGeometry(spec.geometry);
        applyLook(label, spec.look);
        fitCaption(label);
        if (spec.look == Look::Title)
            m_title = label;
        else if (spec.look == Look::Version)
            m_version = label;
    }
    // Drawn over the title line's left end, as designed.
    picture(this, "picIcon", ":/pictures/smiley.png", QRect(17, 5, 36, 36), "Smiley face");
    picture(this, "Picture1", ":/pictures/radio-small.png", QRect(150, 128, 102, 47),
            "The transceiver's front panel");

    QPushButton* ok = button(this, "cmdOK", "OK", QRect(292, 290, 84, 23));
    // Default and cancel button at once: Enter presses it, and Esc closes the
    // window the same way.
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    QPushButton* sysInfo = button(this, "cmdSysInfo", "&System Info...", QRect(293, 320, 83, 23));
    sysInfo->setAutoDefault(false);
    connect(sysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    fitCaptions(QList<QWidget*>{ok, sysInfo});

    Form_Load();
}

void frmAbout::Form_Load()
{
    const QString title = MessageBox::programTitle();
    setWindowTitle(QStringLiteral("About ") + title);
    m_version->setText(QStringLiteral("Version %1.%2.%3")
                           .arg(Version::Major)
                           .arg(Version::Minor)
                           .arg(Version::Revision));
    m_version->setAccessibleName(m_version->text());
    m_title->setText(title);
    m_title->setAccessibleName(title);
    fitCaption(m_version);
    fitCaption(m_title);
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::StartSysInfo()
{
    // The About box stays open whether or not a tool was started.
    if (!Platform::startSystemInformationTool())
        MessageBox::inform(this, QStringLiteral("System Information Is Unavailable At This Time"));
}
