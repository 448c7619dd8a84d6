// Compiled as a session-layer source, with the libraries the session links:
// Qt Core only, so no widget.
#include <QWidget>
