// tambrel-icons <folder> <size>...: writes the application's icon as PNG files in the icon theme
// layout, <folder>/NxN/apps/tambrel.png, one per size (16 to 256). Run at build time; the files
// are installed under share/icons/hicolor.
#include "widgets/Icons.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<int> sizes;
    for (int i = 2; i < argc; ++i) {
        char* end = nullptr;
        const long size = std::strtol(argv[i], &end, 10);
        if (end == argv[i] || *end != '\0' || size < 16 || size > 256) {
            std::fprintf(stderr, "tambrel-icons: size %s is not between 16 and 256\n", argv[i]);
            return 2;
        }
        sizes.push_back(static_cast<int>(size));
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: tambrel-icons <folder> <size>...\n");
        return 2;
    }
    // Drawing needs a GUI application object but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qt_argc = 1;
    QGuiApplication app(qt_argc, argv);
    if (!Icons::Write_App_Icon_Pngs(QString::fromLocal8Bit(argv[1]), sizes)) {
        std::fprintf(stderr, "tambrel-icons: cannot write the icons under %s\n", argv[1]);
        return 1;
    }
    return 0;
}
