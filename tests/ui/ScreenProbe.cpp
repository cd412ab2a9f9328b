// Reads a screenshot of the running program and checks the band diagram
// from its pixels: where the electron dots and hole circles are, or how far
// the strip chart has come.
//   screen_probe <png> <window x> <window y> running|gathered|chart [zoom]
// Exit status 0 when the check holds; the counts go to stdout either way,
// and for chart the rightmost plotted column, for the caller to compare.
#include <QGuiApplication>
#include <QImage>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Band regions in window pixels at zoom 1 (twips / 15), inside the edge lines.
const QRect kConductionBand(96, 24, 177, 104);  // white, above Line1 at y 128
const QRect kValenceBand(96, 209, 177, 104);    // grey, below Line2 at y 208
constexpr int kMiddleX = 180;                   // x 2700 twips, where Command4 gathers
// Diffusion spreads a gathered cloud by some 30 px within the first ticks;
// spread over the whole band, less than half of it lies this close.
constexpr int kNearMiddle = 40;  // px either side of the middle
constexpr int kDotCentre = 3;    // px from a dot's left edge
// Picture1's drawing area, inside its 2 px border, kept 1 px clear of it.
const QRect kChartArea(339, 19, 171, 91);

QRect Zoomed(const QRect& r, double zoom) {
    const auto at = [zoom](int px) { return static_cast<int>(std::lround(px * zoom)); };
    return QRect(QPoint(at(r.left()), at(r.top())), QPoint(at(r.right() + 1), at(r.bottom() + 1)))
        .adjusted(0, 0, -1, -1);
}

bool Dark(QColor c) { return c.red() < 64 && c.green() < 64 && c.blue() < 64; }
bool Light(QColor c) { return c.red() > 224 && c.green() > 224 && c.blue() > 224; }

struct Census {
    int pixels = 0;
    int nearMiddle = 0;
};

Census Count(const QImage& image, QPoint origin, const QRect& region, bool (*match)(QColor),
             double zoom) {
    Census census;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            if (!match(image.pixelColor(origin + QPoint(x, y)))) continue;
            ++census.pixels;
            if (std::abs(x + kDotCentre * zoom - kMiddleX * zoom) <= kNearMiddle * zoom) {
                ++census.nearMiddle;
            }
        }
    }
    return census;
}

// The rightmost column of the chart's drawing area with a plotted point.
int ChartEdge(const QImage& image, QPoint origin, const QRect& area) {
    for (int x = area.right(); x >= area.left(); --x) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            if (Dark(image.pixelColor(origin + QPoint(x, y)))) return x - area.left();
        }
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: screen_probe <png> <x> <y> running|gathered|chart [zoom]\n");
        return 2;
    }
    const QImage image(QString::fromLocal8Bit(argv[1]));
    if (image.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 2;
    }
    const QPoint origin(std::atoi(argv[2]), std::atoi(argv[3]));
    const QString check = QString::fromLocal8Bit(argv[4]);
    const double zoom = argc == 6 ? std::atof(argv[5]) : 1.0;
    if (check == QLatin1String("chart")) {
        const int edge = ChartEdge(image, origin, Zoomed(kChartArea, zoom));
        std::printf("%d\n", edge);
        return edge >= 0 ? 0 : 1;
    }

    // Electrons: black dots on the white conduction band. Holes: white
    // circles with a black border on the grey valence band. Areas grow with
    // the square of the zoom.
    const Census electrons = Count(image, origin, Zoomed(kConductionBand, zoom), Dark, zoom);
    const Census holeFill = Count(image, origin, Zoomed(kValenceBand, zoom), Light, zoom);
    const Census holeRim = Count(image, origin, Zoomed(kValenceBand, zoom), Dark, zoom);
    const double area = zoom * zoom;
    std::printf("electron px %d (%d near middle), hole fill px %d (%d near middle), rim px %d\n",
                electrons.pixels, electrons.nearMiddle, holeFill.pixels, holeFill.nearMiddle,
                holeRim.pixels);

    bool ok = false;
    if (check == QLatin1String("running")) {
        // 30 of each kind spread along the crystal: a dot has about 24 dark
        // px, a circle about 10 px of white fill inside about 7 px of rim.
        ok = electrons.pixels > 300 * area && holeFill.pixels > 150 * area &&
             holeRim.pixels > 100 * area && electrons.nearMiddle < electrons.pixels * 70 / 100;
    } else if (check == QLatin1String("gathered")) {
        // Gathered dots overlap, so fewer pixels show, nearly all central.
        ok = electrons.pixels > 100 * area && holeFill.pixels > 50 * area &&
             electrons.nearMiddle > electrons.pixels * 85 / 100 &&
             holeFill.nearMiddle > holeFill.pixels * 85 / 100;
    } else {
        return 2;
    }
    return ok ? 0 : 1;
}
