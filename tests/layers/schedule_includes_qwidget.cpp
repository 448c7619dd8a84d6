// Compiled as a schedule-layer source, with the libraries the schedule links:
// Qt Core only, so no widget.
#include <QWidget>
