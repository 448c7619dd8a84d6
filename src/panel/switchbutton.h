#pragma once

// The function switches ("Noice Blanker", "VOX", ...) are push buttons that
// act on every press, but a screen reader must hear whether the switch is on.
// They are told to assistive technology as checkable buttons, checked while
// the last setting Quillard sent for them was on. (Quillard never asks the
// radio, so this is what was sent, not what the radio did.)

class QAbstractButton;

// Makes the button a switch to assistive technology, off until a setting is sent.
void makeSwitch(QAbstractButton* button);
// Records the setting last sent for the switch and tells assistive technology.
void showSwitchSetting(QAbstractButton* button, bool on);
