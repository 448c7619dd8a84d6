#pragma once

// Quillard's widget style: the platform's own in every respect but one. The
// menu bar's extension arrow (shown only when the menus do not fit) is drawn
// here instead of being read from the style's picture files, because reading
// a picture file by name makes Qt load every image-format plugin to ask it
// about the file; Quillard itself reads nothing but its own PNG pictures.
// The program installs it once, before its first window.

void installProgramStyle();
