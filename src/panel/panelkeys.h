#pragma once

// The main window's part of the keyboard map (controls/keymap.h): a shortcut
// for each of its controls, built from the tables the controls are made from
// (bands, modes, time signals, the VFO and memory buttons) and, for the push
// buttons, written out here. Chords with Ctrl (and Shift) only, so none is a
// menu's access key; sequences where there are many of a kind:
//   bands         Ctrl+1 ... Ctrl+9 (160m ... 10m)
//   VFO A, B, Mem Ctrl+Shift+A, Ctrl+Shift+B, Ctrl+Shift+M
//   modes         Ctrl+D, then the mode's letter (L, U, C, F, A, K)
//   time signals  Ctrl+G, then 5, 1 0 or 1 5 (MHz)
//   memories      Ctrl+R, then the channel's two digits ("Ctrl+R, 0, 5")
//   power         Ctrl+P, then 1 (On) or 0 (Off)
//   antenna       Ctrl+N, then 1, 2 or T (tune)
//   switches      Ctrl+W, then a letter (L lock, P processor, A preamplifier,
//                 R noise reduction, B noise blanker, T attenuator, S scan,
//                 V VOX)

#include "controls/keymap.h"

QList<KeyBinding> panelKeys();
