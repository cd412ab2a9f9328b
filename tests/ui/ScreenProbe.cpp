// Reads a screenshot of the running program and checks the band diagram
// from its pixels: where the electron dots and hole circles are.
//   screen_probe <png> <window x> <window y> running|gathered
// Exit status 0 when the check holds; the counts go to stdout either way.
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>

namespace {

// Band regions in window pixels (twips / 15), inside the edge lines.
const QRect kConductionBand(96, 24, 177, 104);  // white, above Line1 at y 128
const QRect kValenceBand(96, 209, 177, 104);    // grey, below Line2 at y 208
constexpr int kMiddleX = 180;                    // x 2700 twips, where Command4 gathers
// Diffusion spreads a gathered cloud by some 30 px within the first ticks;
// spread over the whole band, less than half of it lies this close.
constexpr int kNearMiddle = 40;  // px either side of the middle

bool Dark(QColor c) { return c.red() < 64 && c.green() < 64 && c.blue() < 64; }
bool Light(QColor c) { return c.red() > 224 && c.green() > 224 && c.blue() > 224; }

struct Census {
    int pixels = 0;
    int nearMiddle = 0;
};

Census Count(const QImage& image, QPoint origin, const QRect& region, bool (*match)(QColor)) {
    Census census;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            if (!match(image.pixelColor(origin + QPoint(x, y)))) continue;
            ++census.pixels;
            if (std::abs(x + 3 - kMiddleX) <= kNearMiddle) ++census.nearMiddle;  // dot centre
        }
    }
    return census;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: screen_probe <png> <x> <y> running|gathered\n");
        return 2;
    }
    const QImage image(QString::fromLocal8Bit(argv[1]));
    if (image.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 2;
    }
    const QPoint origin(std::atoi(argv[2]), std::atoi(argv[3]));
    const QString check = QString::fromLocal8Bit(argv[4]);

    // Electrons: black dots on the white conduction band. Holes: white
    // circles with a black border on the grey valence band.
    const Census electrons = Count(image, origin, kConductionBand, Dark);
    const Census holeFill = Count(image, origin, kValenceBand, Light);
    const Census holeRim = Count(image, origin, kValenceBand, Dark);
    std::printf("electron px %d (%d near middle), hole fill px %d (%d near middle), rim px %d\n",
                electrons.pixels, electrons.nearMiddle, holeFill.pixels, holeFill.nearMiddle,
                holeRim.pixels);

    bool ok = false;
    if (check == QLatin1String("running")) {
        // 30 of each kind spread along the crystal: a dot has about 24 dark
        // px, a circle about 10 px of white fill inside about 7 px of rim.
        ok = electrons.pixels > 300 && holeFill.pixels > 150 && holeRim.pixels > 100 &&
             electrons.nearMiddle < electrons.pixels * 70 / 100;
    } else if (check == QLatin1String("gathered")) {
        // Gathered dots overlap, so fewer pixels show, nearly all central.
        ok = electrons.pixels > 100 && holeFill.pixels > 50 &&
             electrons.nearMiddle > electrons.pixels * 85 / 100 &&
             holeFill.nearMiddle > holeFill.pixels * 85 / 100;
    } else {
        return 2;
    }
    return ok ? 0 : 1;
}
