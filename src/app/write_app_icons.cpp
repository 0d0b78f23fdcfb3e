// Writes the application icon for the desktop into an icon theme tree at build time, from the
// same drawing the app shows: hicolor/scalable/apps/velorinth.svg and
// hicolor/<n>x<n>/apps/velorinth.png.
//   write_app_icons <output directory>
#include "app/app_icon.h"

#include <QDir>
#include <QFile>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
        return 2;
    }
    const QDir root(QFile::decodeName(argv[1]));
    const auto place = [&root](const QString &size) {
        const QString folder = QStringLiteral("hicolor/%1/apps").arg(size);
        return root.mkpath(folder) ? root.filePath(folder + QStringLiteral("/velorinth"))
                                   : QString();
    };

    QFile svg(place(QStringLiteral("scalable")) + QStringLiteral(".svg"));
    bool written = svg.open(QIODevice::WriteOnly) && svg.write(velorinth::AppIcon::svg()) > 0;
    for (const int pixels : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        const QString size = QStringLiteral("%1x%1").arg(pixels);
        written =
            written && velorinth::AppIcon::image(pixels).save(place(size) + QStringLiteral(".png"));
    }
    if (!written) {
        std::fprintf(stderr, "write_app_icons: could not write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
