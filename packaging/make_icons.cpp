// Writes the program's icon at each size the desktop's icon theme asks for, as
// <folder>/<N>x<N>/apps/quorvantile.png. Every size is a whole multiple of the drawn icon and is
// enlarged by repeating pixels, so the pixel art stays sharp.
#include <cstdio>

#include <QDir>
#include <QImage>
#include <QString>

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: make_icons <icon.png> <folder> <size>...\n");
        return 2;
    }
    const QImage icon(QString::fromLocal8Bit(argv[1]));
    if (icon.isNull() || icon.width() != icon.height()) {
        std::fprintf(stderr, "make_icons: %s is not a square picture\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int size = QString::fromLocal8Bit(argv[i]).toInt();
        if (size <= 0 || size % icon.width() != 0) {
            std::fprintf(stderr,
                "make_icons: %s is not a multiple of the icon's side %d\n",
                argv[i],
                icon.width());
            return 1;
        }
        const QString folder =
            QString("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[2])).arg(size);
        const QImage scaled =
            icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (!QDir().mkpath(folder) || !scaled.save(folder + "/quorvantile.png", "PNG")) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
