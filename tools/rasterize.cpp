// Build-time helper: renders one of our SVG drawings to a PNG or JPEG of a given size, so the
// program icon and the overview background are made from sources kept in the repository.
// usage: rasterize in.svg out.(png|jpg) width height

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() != 5) {
        err << "usage: rasterize in.svg out.(png|jpg) width height\n";
        return 2;
    }
    QSvgRenderer svg(args.at(1));
    if (!svg.isValid()) {
        err << "cannot read " << args.at(1) << "\n";
        return 1;
    }
    const QSize size(args.at(3).toInt(), args.at(4).toInt());
    const bool jpeg = args.at(2).endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive);
    QImage image(size, jpeg ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    image.fill(jpeg ? Qt::black : Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    painter.end();
    if (!image.save(args.at(2), nullptr, jpeg ? 88 : -1)) {
        err << "cannot write " << args.at(2) << "\n";
        return 1;
    }
    return 0;
}
