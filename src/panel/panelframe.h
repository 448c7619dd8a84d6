#pragma once

// The frames of the main window. They are drawn behind the controls and group
// them only to the eye: every selection button is a child of the canvas lying
// over its frame, so all of them can share one selection group. The table
// below is the one place where frame positions, colours and fonts are kept;
// the control units place their buttons with stackedInFrame().

#include <QRect>
#include <QRgb>
#include <QWidget>

#include <array>
#include <cstddef>

// The frames, in the order they are drawn (and listed in the table below).
enum class Frame { Settings, MemorySelection, Bands, Modes, Functions, Power, Transmission, Wwv };
inline constexpr std::size_t frameCount = 8;

enum class CaptionFont { PlatformDefault, SansSerifBold, Tahoma };

struct FrameSpec {
    Frame frame;
    const char* name;
    const char* caption;
    QRect geometry;
    bool hasBackground;
    QRgb background;
    QRgb text;
    CaptionFont font;
};

inline constexpr QRgb defaultText = qRgb(0, 0, 0);

inline constexpr std::array<FrameSpec, frameCount> panelFrames = {{
    {Frame::Settings,
     "Frame3",
     "Settings",
     {5, 9, 84, 415},
     false,
     0,
     qRgb(0, 0, 192),
     CaptionFont::PlatformDefault},
    {Frame::MemorySelection,
     "Frame5",
     "Memory Selection",
     {96, 123, 409, 265},
     true,
     qRgb(0, 0, 128),
     qRgb(255, 255, 128),
     CaptionFont::Tahoma},
    {Frame::Bands,
     "Frame2",
     "Bands",
     {512, 4, 81, 168},
     true,
     qRgb(128, 0, 128),
     qRgb(255, 255, 255),
     CaptionFont::SansSerifBold},
    {Frame::Modes,
     "Frame1",
     "Modes",
     {513, 176, 81, 117},
     true,
     qRgb(0, 128, 0),
     qRgb(255, 255, 255),
     CaptionFont::SansSerifBold},
    {Frame::Functions,
     "Frame4",
     "Functions",
     {513, 297, 81, 73},
     true,
     qRgb(128, 0, 0),
     qRgb(255, 255, 255),
     CaptionFont::SansSerifBold},
    {Frame::Power,
     "Frame6",
     "Power",
     {513, 373, 81, 54},
     true,
     qRgb(0, 128, 128),
     qRgb(255, 255, 255),
     CaptionFont::SansSerifBold},
    {Frame::Transmission,
     "Frame7",
     "Transmission",
     {105, 392, 194, 37},
     true,
     qRgb(0, 192, 192),
     defaultText,
     CaptionFont::SansSerifBold},
    {Frame::Wwv,
     "Frame8",
     "WWV",
     {304, 392, 189, 37},
     true,
     qRgb(0, 192, 192),
     defaultText,
     CaptionFont::SansSerifBold},
}};

// Height of the caption band at the top of a frame; controls stack right below it.
inline constexpr int frameCaptionHeight = 14;

constexpr bool tableFollowsTheEnum()
{
    for (std::size_t i = 0; i < panelFrames.size(); ++i) {
        if (panelFrames[i].frame != static_cast<Frame>(i))
            return false;
    }
    return true;
}
static_assert(tableFollowsTheEnum(), "panelFrames must list the frames in the order of Frame");

constexpr const FrameSpec& frameSpec(Frame frame)
{
    return panelFrames[static_cast<std::size_t>(frame)];
}

// The fonts of the panel, 8.25 points.
QFont sansSerifBold();
QFont tahoma();

// Where the index-th control of a frame's stack goes, in the frame's parent's
// coordinates: right below the caption, without gaps, centred across the frame.
QRect stackedInFrame(const FrameSpec& frame, int index, QSize size, Qt::Orientation direction);

// A frame with its caption painted over its top border.
class PanelFrame : public QWidget {
public:
    // Each frame is a class of its own, whose colours are one palette made
    // once (see useClassColours); the push buttons inside take them from it.
    static PanelFrame* create(const FrameSpec& spec, QWidget* canvas);
    PanelFrame(const FrameSpec& spec, QWidget* canvas);

    Frame which() const { return m_which; }
    // The caption's own font; the push buttons inside the frame keep the
    // platform's.
    QFont captionFont() const { return m_captionFont; }
    // Fits the caption across the frame, and its letters into the band of
    // the given height that the controls over the frame leave free at its top.
    void fitCaption(int band);

protected:
    void useColours(const FrameSpec& spec);
    void paintEvent(QPaintEvent* event) override;

private:
    Frame m_which;
    QString m_caption;
    QFont m_captionFont;
};
