#pragma once

// Tells a screen reader what an action did. Each window that announces has
// one small notification object (objectName "Announcement", accessible role
// Notification, its name the words): each announcement hides and shows it
// again. Orca speaks a notification when it is shown (AT-SPI
// object:state-changed:showing on a notification), with Debian 12's Qt 6.4 as
// it is. (A description or name change on the focused control does not work
// there: Qt 6.4 sends the object instead of the new text with the event, and
// Orca speaks only text.)

class QString;
class QWidget;

// Announces the words from this window.
void announce(QWidget* window, const QString& words);
