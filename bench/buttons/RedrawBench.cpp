// Times one Redraw of a 100 x 30 button with caption and picture for every
// style and shape (median of many, in microseconds), plain and gradient,
// the plain face again on a screen of device pixel ratio 2, and a resize
// that rebuilds the outline. Prints a table; the goal is every redraw under
// 200 microseconds.
//
//   button_redraw_bench [RUNS]   RUNS samples a figure (at least 11; 401)
//   button_redraw_bench --smoke  one sample each: a run of a second that
//                                fails when a button did not reach the screen
#include "buttons/paint/ButtonPainting.h"
#include "buttons/paint/OffscreenWindow.h"

#include <QApplication>
#include <QFont>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Buttons whose redraws left no screen image of their size.
int failures = 0;

void checkShown(const ButtonDrawing& d, const ButtonModel& m, const char* what, int style, int shape) {
    if (d.paintedCount() > 0 && d.screen().deviceIndependentSize().toSize() == QSize(m.ScaleWidth, m.ScaleHeight))
        return;
    std::fprintf(stderr, "%s: style %d, shape %d painted %d times, screen %dx%d for %dx%d\n", what, style, shape,
                 d.paintedCount(), d.screen().width(), d.screen().height(), m.ScaleWidth, m.ScaleHeight);
    ++failures;
}

QImage smallPicture() {
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 255));
    for (int y = 3; y < 13; ++y)
        for (int x = 3; x < 13; ++x) img.setPixelColor(x, y, QColor(240, 150, 30));
    return img;
}

QImage shapePicture() {
    QImage img(64, 40, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 255));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 64; ++x)
            if ((x - 32) * (x - 32) / 1024.0 + (y - 20) * (y - 20) / 400.0 <= 1.0)
                img.setPixelColor(x, y, QColor(20, 120, 200));
    return img;
}

void setUp(ButtonModel& m, int style, int shape, bool gradient) {
    m.ScaleWidth = 100;
    m.ScaleHeight = 30;
    m.ButtonStyle = style;
    m.ButtonShape = shape;
    m.Caption = "&Caption";
    m.CaptionAlign = 2;
    m.BackColor = kButtonFaceColor;
    m.HoverBackColor = kButtonFaceColor;
    m.Font = QFont("DejaVu Sans", 8);
    m.ShowFocusRect = true;
    m.GradientMode = gradient ? 1 : 0;
    m.GradientColor = 0xF0C090;
    if (shape >= 7) {
        m.Picture = Picture::bitmap(shapePicture());
        m.nPicSize = 48;
    } else {
        m.Picture = Picture::bitmap(smallPicture());
        m.nPicSize = 16;
        m.PictureAlign = 1;
    }
}

double medianMicros(std::vector<double>& samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

template <class F>
double timeMedian(int runs, F&& f) {
    std::vector<double> samples;
    samples.reserve(std::size_t(runs));
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        f(i);
        const auto t1 = std::chrono::steady_clock::now();
        samples.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
    }
    return medianMicros(samples);
}

struct Result {
    double redraw[9][8];
    double worst = 0;
};

Result measure(bool gradient, int runs, qreal ratio = 1.0) {
    Result r{};
    for (int shape = 0; shape <= 8; ++shape)
        for (int style = 0; style <= 7; ++style) {
            ButtonModel m;
            setUp(m, style, shape, gradient);
            OffscreenWindow window(m);
            window.ratio = ratio;
            ButtonDrawing d(m, window);
            d.RefreshDerived("BackColor");
            d.RefreshDerived("Picture");
            d.HandleResize();
            d.CalculateLayout(true);
            // Alternate rest and hover, as the pointer does.
            const double us = timeMedian(runs, [&](int i) {
                m.bHoverTracking = i % 2;
                m.nFlags = (i % 2) ? FlagHover : 0;
                d.Redraw();
            });
            checkShown(d, m, "redraw", style, shape);
            r.redraw[shape][style] = us;
            r.worst = std::max(r.worst, us);
        }
    return r;
}

void printTable(const char* title, const Result& r) {
    std::printf("\n%s (median microseconds per Redraw, 100 x 30)\n", title);
    std::printf("shape |");
    for (int style = 0; style <= 7; ++style) std::printf(" style%d", style);
    std::printf("\n------+--------------------------------------------------------\n");
    for (int shape = 0; shape <= 8; ++shape) {
        std::printf("  %d   |", shape);
        for (int style = 0; style <= 7; ++style) std::printf(" %6.1f", r.redraw[shape][style]);
        std::printf("\n");
    }
    std::printf("worst: %.1f us (goal 200 us, ratio %.2f)\n", r.worst, r.worst / 200.0);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool smoke = argc > 1 && std::strcmp(argv[1], "--smoke") == 0;
    const int runs = smoke ? 1 : argc > 1 ? std::max(11, std::atoi(argv[1])) : 401;

    const Result plain = measure(false, runs);
    printTable("Plain face", plain);
    printTable("Gradient face", measure(true, runs));
    const Result sharp = measure(false, runs, 2.0);
    printTable("Plain face at device pixel ratio 2", sharp);
    std::printf("worst at ratio 2 against ratio 1: %.2f\n", sharp.worst / plain.worst);

    std::printf("\nResize that rebuilds the outline (100 x 30 <-> 101 x 31, style 7)\n");
    std::printf("shape | median us\n");
    for (int shape = 0; shape <= 8; ++shape) {
        ButtonModel m;
        setUp(m, 7, shape, false);
        OffscreenWindow window(m);
        ButtonDrawing d(m, window);
        d.RefreshDerived("BackColor");
        d.RefreshDerived("Picture");
        d.HandleResize();
        const double us = timeMedian(runs / 4 + 1, [&](int i) {
            m.ScaleWidth = 100 + i % 2;
            m.ScaleHeight = 30 + i % 2;
            d.HandleResize();  // back buffer, outline, layout and one redraw
        });
        checkShown(d, m, "resize", 7, shape);
        std::printf("  %d   | %6.1f\n", shape, us);
    }
    return failures == 0 ? 0 : 1;
}
