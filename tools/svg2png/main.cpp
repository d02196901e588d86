// tamira-svg2png: renders an SVG icon to a square PNG at build time, so that the PNG icons
// never drift from the one drawn source.
// Usage: tamira-svg2png INPUT.svg OUTPUT.png SIZE

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    bool sizeOk = false;
    const int size = args.size() == 4 ? args.at(3).toInt(&sizeOk) : 0;
    if (!sizeOk || size < 1 || size > 4096) {
        err << "usage: tamira-svg2png INPUT.svg OUTPUT.png SIZE (1 to 4096)\n";
        return 2;
    }
    QSvgRenderer renderer(args.at(1));
    if (!renderer.isValid()) {
        err << "tamira-svg2png: cannot read " << args.at(1) << "\n";
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    if (!image.save(args.at(2), "PNG")) {
        err << "tamira-svg2png: cannot write " << args.at(2) << "\n";
        return 1;
    }
    return 0;
}
