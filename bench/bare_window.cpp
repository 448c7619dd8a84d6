// The floor the memory and start-up figures are set against: a bare Qt 6
// Widgets window and nothing else, built with the same compiler, flags and Qt
// as quillard. Its client size is 400x300 unless given:
//
//   bare_window [WIDTHxHEIGHT]
#include <QApplication>
#include <QWidget>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    int width = 400, height = 300;
    if (argc > 1 && std::sscanf(argv[1], "%dx%d", &width, &height) != 2) {
        std::fprintf(stderr, "usage: bare_window [WIDTHxHEIGHT]\n");
        return 2;
    }
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare Qt window"));
    window.resize(width, height);
    window.show();
    return QApplication::exec();
}
